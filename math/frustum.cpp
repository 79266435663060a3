#include "math/frustum.h"

#include "math/camera.h"
#include "math/degrees.h"

namespace {
// Unit length unless v is zero, which stays zero.
glm::vec3 normalisedOrZero(const glm::vec3& v) {
    const float length = glm::length(v);
    return length != 0.0f ? v / length : v;
}
} // namespace

void FrustumPlane::setFromPoints(const glm::vec3& a, const glm::vec3& b, const glm::vec3& c) {
    normal = normalisedOrZero(glm::cross(c - b, a - b));
    point = b;
    d = -glm::dot(normal, point);
}

float FrustumPlane::signedDistance(const glm::vec3& p) const {
    return glm::dot(normal, p) + d;
}

void ViewFrustum::setProjection(float angleDegrees, float nearDistance, float farDistance) {
    ratio = camera().aspectRatio;
    angle = angleDegrees;
    nearDist = nearDistance;
    farDist = farDistance;
    tanHalfAngle = halfAngleTangent(angleDegrees);
    nearHeight = nearDist * tanHalfAngle;
    nearWidth = nearHeight * ratio;
    farHeight = farDist * tanHalfAngle;
    farWidth = farHeight * ratio;
}

void ViewFrustum::setPose(const glm::vec3& eye, const glm::vec3& target, const glm::vec3& up) {
    // Camera axes: Z points back toward the eye, X to the right, Y up.
    const glm::vec3 z = normalisedOrZero(eye - target);
    const glm::vec3 x = normalisedOrZero(glm::cross(up, z));
    const glm::vec3 y = glm::cross(z, x);

    const glm::vec3 nearCentre = eye - z * nearDist;
    const glm::vec3 farCentre = eye - z * farDist;
    nearTopLeft = nearCentre + y * nearHeight - x * nearWidth;
    nearTopRight = nearCentre + y * nearHeight + x * nearWidth;
    nearBottomLeft = nearCentre - y * nearHeight - x * nearWidth;
    nearBottomRight = nearCentre - y * nearHeight + x * nearWidth;
    farTopLeft = farCentre + y * farHeight - x * farWidth;
    farTopRight = farCentre + y * farHeight + x * farWidth;
    farBottomLeft = farCentre - y * farHeight - x * farWidth;
    farBottomRight = farCentre - y * farHeight + x * farWidth;

    // The point orders make every normal face into the frustum.
    planes[Top].setFromPoints(nearTopRight, nearTopLeft, farTopLeft);
    planes[Bottom].setFromPoints(nearBottomLeft, nearBottomRight, farBottomRight);
    planes[Left].setFromPoints(nearTopLeft, nearBottomLeft, farBottomLeft);
    planes[Right].setFromPoints(nearBottomRight, nearTopRight, farBottomRight);
    planes[Near].setFromPoints(nearTopLeft, nearTopRight, nearBottomRight);
    planes[Far].setFromPoints(farTopRight, farTopLeft, farBottomLeft);
}

FrustumResult ViewFrustum::classifySphere(const glm::vec3& centre, float radius) const {
    FrustumResult result = FrustumResult::Inside;
    for (const FrustumPlane& p : planes) {
        const float s = p.signedDistance(centre);
        if (s < -radius) {
            return FrustumResult::Outside;
        }
        if (s < radius) {
            result = FrustumResult::Intersect;
        }
    }
    return result;
}
