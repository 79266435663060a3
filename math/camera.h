// The orbit camera: an eye looking at a target with +Y always up. Keys, the
// wheel, the mouse at the window border and the intro flight move it once per
// frame, each move scaled by the frame time step. Zooms stop at the edge of
// the allowed region, pans that would leave it are undone whole; orbits about
// the vertical are never refused, orbits up and down stop short of the ground
// and the zenith.
#pragma once

#include <functional>

#include "math/types.h"

// Until the renderer's first resize the game assumes a 1.4 wide window.
inline constexpr float kStartAspectRatio = 1.4f;
// The camera's target stays within this of the origin in x and in z.
inline constexpr float kCameraTargetHalfWidth = 75.0f;

struct Camera {
    Vec3 eye{-25.0f, 40.0f, -55.0f};
    Vec3 target{0.0f, 0.0f, -15.0f};
    Vec3 worldUp{0.0f, 1.0f, 0.0f};
    Vec3 forward{0.0f}; // unit, eye toward target
    Vec3 right{0.0f};   // unit, horizontal, to the viewer's right
    Mat4 view{1.0f};
    bool viewChanged = true; // view must be rebuilt from eye and target
    Vec3 savedEye{0.0f};     // taken before a checked move, to undo it
    Vec3 savedTarget{0.0f};
    // Width over height of the window the camera looks through; the
    // renderer keeps it up to date, the view frustums use it.
    float aspectRatio = kStartAspectRatio;
};

// The one camera of this process.
Camera& camera();

// Puts the camera in its starting place, keeping the window's aspect ratio;
// tests use it as the reset.
void initCamera();
void releaseCamera();

// Recomputes forward and right after eye or target were placed directly.
void updateCameraBasis();
// Rebuilt only after a change.
Mat4 getViewMatrix();

// Seconds of the frame being drawn: every move is scaled by it. The program
// wires it to the simulation's frame time; tests set it freely.
using CameraStepSource = std::function<float()>;
void setCameraStepSource(CameraStepSource source);

float cameraDistance();
// Units per second of a zoom at `distance` from the target. It falls to 0
// near sqrt(6), where zooming in stops.
float zoomSpeed(float distance);

void saveCameraState();
void restoreCameraState();
// Target inside its box, eye above the ground and within 150 of the target.
bool isCameraStateValid();

// Slide eye and target together; the pans are built from these.
void moveCameraAlongX(float s);
void moveCameraAlongY(float s);
void moveCameraAlongZ(float s);

// Checked moves: a zoom stops at the edge of the allowed region (short of
// sqrt(6), at 150, at the ground); anything still invalid is undone whole.
void zoomIn();
void zoomOut();
void zoomInBy(float factor);
void zoomOutBy(float factor);
void panRight();
void panLeft();
void panUp();
void panDown();
void panForward();
void panBackward();
void edgePanForward(float factor);
void edgePanBackward(float factor);
void edgePanRight(float factor);
void edgePanLeft(float factor);

// Orbits of the eye about the target.
void orbitEyeRight();
void orbitEyeLeft();
void orbitEyeRightBy(float factor);
void orbitEyeLeftBy(float factor);
void orbitEyeDown();
void orbitEyeDownBy(float factor);
void orbitEyeUp();
void orbitEyeUpBy(float factor);

// Looks at the point from 50 units away along the current viewing direction
// and prints "Jump to" with the point. The target stays inside its box and
// the eye above the ground, so the view can still pan and zoom afterwards.
void jumpCameraTo(float x, float y, float z);
// Slides eye and target together until the target stands over (x, z),
// clamped to its box, at its own height; prints nothing. The view keeps its
// direction and distance, so whatever was valid stays valid.
void moveCameraTargetTo(float x, float z);
