#include "math/camera.h"

#include <algorithm>
#include <cmath>
#include <iostream>

#include <glm/gtc/matrix_transform.hpp>

namespace {
constexpr float kTargetHalfWidth = kCameraTargetHalfWidth;
constexpr float kTargetCeiling = 75.0f;
constexpr float kFarthestEye = 150.0f;
constexpr float kJumpDistance = 50.0f;

bool within(float value, float low, float high) {
    return value >= low && value <= high;
}
} // namespace

Camera& camera() {
    static Camera instance;
    return instance;
}

void initCamera() {
    Camera& c = camera();
    const float aspect = c.aspectRatio;
    c = Camera{};
    c.aspectRatio = aspect;
    updateCameraBasis();
    c.view = glm::lookAt(c.eye, c.target, c.worldUp);
}

void releaseCamera() {
    camera() = Camera{};
}

void updateCameraBasis() {
    Camera& c = camera();
    c.forward = glm::normalize(c.target - c.eye);
    const Vec3 side = glm::cross(c.forward, c.worldUp);
    // Looking straight up or down leaves no horizontal right: keep the last.
    if (glm::dot(side, side) > 0.0f) {
        c.right = glm::normalize(side);
    }
    c.viewChanged = true;
}

Mat4 getViewMatrix() {
    Camera& c = camera();
    if (c.viewChanged) {
        c.view = glm::lookAt(c.eye, c.target, c.worldUp);
        c.viewChanged = false;
    }
    return c.view;
}

float cameraDistance() {
    const Camera& c = camera();
    return glm::length(c.target - c.eye);
}

float zoomSpeed(float distance) {
    const float ratio = distance * distance / 6.0f;
    const float logarithm = static_cast<float>(std::log(static_cast<double>(ratio)));
    // Inside sqrt(6) the logarithm turns negative and its power undefined.
    if (!(logarithm > 0.0f)) {
        return 0.0f;
    }
    const float power = static_cast<float>(std::pow(static_cast<double>(logarithm), 3.5));
    return 0.1f * power;
}

void saveCameraState() {
    Camera& c = camera();
    c.savedEye = c.eye;
    c.savedTarget = c.target;
}

void restoreCameraState() {
    Camera& c = camera();
    c.eye = c.savedEye;
    c.target = c.savedTarget;
}

// Written as "everything inside" so that a NaN coordinate is never valid.
bool isCameraStateValid() {
    const Camera& c = camera();
    return within(c.target.x, -kTargetHalfWidth, kTargetHalfWidth) &&
           within(c.target.y, 0.0f, kTargetCeiling) &&
           within(c.target.z, -kTargetHalfWidth, kTargetHalfWidth) && c.eye.y >= 0.0f &&
           cameraDistance() <= kFarthestEye;
}

void moveCameraAlongX(float s) {
    camera().eye.x += s;
    camera().target.x += s;
}

void moveCameraAlongY(float s) {
    camera().eye.y += s;
    camera().target.y += s;
}

void moveCameraAlongZ(float s) {
    camera().eye.z += s;
    camera().target.z += s;
}

void moveCameraTargetTo(float x, float z) {
    Camera& c = camera();
    const Vec3 target{std::clamp(x, -kTargetHalfWidth, kTargetHalfWidth), c.target.y,
                      std::clamp(z, -kTargetHalfWidth, kTargetHalfWidth)};
    c.eye += target - c.target;
    c.target = target;
    c.viewChanged = true;
}

// Ships fly farther out than the target may go, and an eye below a raised
// target would come out under the ground: either way every later pan and
// zoom would be refused.
void jumpCameraTo(float x, float y, float z) {
    std::cout << "Jump to" << x << "/" << y << "/" << z << std::endl;
    Camera& c = camera();
    const Vec3 offset = c.eye - c.target;
    c.target = glm::clamp(Vec3{x, y, z}, Vec3{-kTargetHalfWidth, 0.0f, -kTargetHalfWidth},
                          Vec3{kTargetHalfWidth, kTargetCeiling, kTargetHalfWidth});
    c.eye = c.target + offset / glm::length(offset) * kJumpDistance;
    if (c.eye.y < 0.0f) {
        c.eye.y = 0.0f;
        updateCameraBasis();
    }
    c.viewChanged = true;
}
