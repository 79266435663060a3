// The camera's moves. Every rate is per second and scaled by the frame time
// step; d is the distance from eye to target.
#include <algorithm>
#include <utility>

#include "math/camera.h"
#include "math/degrees.h"

namespace {
constexpr float kMinZoomOutSpeed = 100.0f;
// Where the zoom speed reaches 0: sqrt(6).
constexpr float kClosestDistance = 2.4494897f;
constexpr float kFarthestDistance = 150.0f;
// A zoom stopped at a limit ends this far inside it, safe from rounding.
constexpr float kLimitMargin = 0.001f;
constexpr float kKeyTurnRate = 80.0f; // degrees per second about the vertical
constexpr float kKeyTiltRate = 70.0f; // about the right axis
constexpr float kBorderTurnRate = 145.0f;
constexpr float kBorderTiltRate = 135.0f;
constexpr float kLowestEye = 1.0f;         // orbiting down stops above this height
constexpr float kSteepestElevation = 0.9f; // sine of the eye's angle above or below the target

CameraStepSource& stepSource() {
    static CameraStepSource source = [] { return 0.0f; };
    return source;
}

float frameStep() {
    return stepSource()();
}

// Marks a valid move, or undoes an invalid one leaving viewChanged alone.
void finishCheckedMove(bool valid) {
    if (valid) {
        camera().viewChanged = true;
    } else {
        restoreCameraState();
    }
}

// The part of a zoom step that stays in the allowed region: toward the
// target it stops short of the closest distance (never through the target,
// never inside sqrt(6) where the zoom speed is undefined); away from it, at
// the farthest distance and, looking up, at the ground. A slow frame with a
// fast wheel thus still zooms, as far as the edge.
float stepWithinLimits(float step) {
    const Camera& c = camera();
    const float distance = cameraDistance();
    if (step > 0.0f) {
        return std::min(step, std::max(distance - kClosestDistance - kLimitMargin, 0.0f));
    }
    float room = kFarthestDistance - distance;
    if (c.forward.y > 0.0f) { // backing away lowers the eye
        room = std::min(room, c.eye.y / c.forward.y);
    }
    return std::max(step, -std::max(room - kLimitMargin, 0.0f));
}

// Moves the eye along the viewing direction; negative speeds move it back.
void zoomEye(float speed) {
    Camera& c = camera();
    saveCameraState();
    c.eye += c.forward * stepWithinLimits(speed * frameStep());
    finishCheckedMove(isCameraStateValid());
}

void slideCamera(const Vec3& offset) {
    saveCameraState();
    moveCameraAlongX(offset.x);
    moveCameraAlongY(offset.y);
    moveCameraAlongZ(offset.z);
    finishCheckedMove(isCameraStateValid());
}

Vec3 flatRight() {
    const Vec3& r = camera().right;
    return glm::normalize(Vec3{r.x, 0.0f, r.z});
}

Vec3 flatForward() {
    const Vec3& f = camera().forward;
    return glm::normalize(Vec3{f.x, 0.0f, f.z});
}

float keyPanSpeed() {
    return zoomSpeed(cameraDistance());
}

float edgePanSpeed(float factor) {
    return factor * cameraDistance();
}

void orbitEye(float degrees, const Vec3& axis) {
    Camera& c = camera();
    const Mat3 turn{rotateDegrees(Mat4{1.0f}, degrees, axis)};
    c.eye = c.target + turn * (c.eye - c.target);
}

void orbitAboutVertical(float degrees) {
    orbitEye(degrees, camera().worldUp);
    updateCameraBasis();
}

float elevationSine() {
    const Camera& c = camera();
    return (c.eye.y - c.target.y) / cameraDistance();
}

// Down stops above the ground, and under a raised target short of straight
// below it, as up stops short of straight above: past either pole the right
// axis would flip and the view turn half round every frame.
void orbitDown(float degrees) {
    saveCameraState();
    orbitEye(degrees, camera().right);
    if (!(camera().eye.y > kLowestEye && elevationSine() >= -kSteepestElevation)) {
        restoreCameraState();
        return;
    }
    updateCameraBasis();
}

void orbitUp(float degrees) {
    saveCameraState();
    orbitEye(-degrees, camera().right);
    if (!(elevationSine() <= kSteepestElevation)) {
        restoreCameraState();
        return;
    }
    updateCameraBasis();
}
} // namespace

void setCameraStepSource(CameraStepSource source) {
    stepSource() = std::move(source);
}

void zoomIn() {
    zoomEye(zoomSpeed(cameraDistance()));
}

void zoomOut() {
    zoomEye(-std::max(zoomSpeed(cameraDistance()), kMinZoomOutSpeed));
}

void zoomInBy(float factor) {
    zoomEye(zoomSpeed(cameraDistance()) * factor);
}

void zoomOutBy(float factor) {
    zoomEye(-std::max(zoomSpeed(cameraDistance()), kMinZoomOutSpeed) * factor);
}

void panRight() {
    slideCamera(flatRight() * keyPanSpeed() * frameStep());
}

void panLeft() {
    slideCamera(-flatRight() * keyPanSpeed() * frameStep());
}

void panUp() {
    slideCamera(Vec3{0.0f, keyPanSpeed() * frameStep(), 0.0f});
}

void panDown() {
    slideCamera(Vec3{0.0f, -keyPanSpeed() * frameStep(), 0.0f});
}

void panForward() {
    slideCamera(flatForward() * keyPanSpeed() * frameStep());
}

void panBackward() {
    slideCamera(-flatForward() * keyPanSpeed() * frameStep());
}

void edgePanForward(float factor) {
    slideCamera(flatForward() * edgePanSpeed(factor) * frameStep());
}

void edgePanBackward(float factor) {
    slideCamera(-flatForward() * edgePanSpeed(factor) * frameStep());
}

void edgePanRight(float factor) {
    slideCamera(flatRight() * edgePanSpeed(factor) * frameStep());
}

void edgePanLeft(float factor) {
    slideCamera(-flatRight() * edgePanSpeed(factor) * frameStep());
}

void orbitEyeRight() {
    orbitAboutVertical(kKeyTurnRate * frameStep());
}

void orbitEyeLeft() {
    orbitAboutVertical(-kKeyTurnRate * frameStep());
}

void orbitEyeRightBy(float factor) {
    orbitAboutVertical(kBorderTurnRate * factor * frameStep());
}

void orbitEyeLeftBy(float factor) {
    orbitAboutVertical(-kBorderTurnRate * factor * frameStep());
}

void orbitEyeDown() {
    orbitDown(kKeyTiltRate * frameStep());
}

void orbitEyeDownBy(float factor) {
    orbitDown(kBorderTiltRate * factor * frameStep());
}

void orbitEyeUp() {
    orbitUp(kKeyTiltRate * frameStep());
}

void orbitEyeUpBy(float factor) {
    orbitUp(kBorderTiltRate * factor * frameStep());
}
