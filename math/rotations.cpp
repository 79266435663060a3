#include "math/rotations.h"

#include <cmath>

#include "math/degrees.h"

namespace {
const Vec3 kUp{0.0f, 1.0f, 0.0f};
const Vec3 kRight{1.0f, 0.0f, 0.0f};

// Cosine above which a direction counts as horizontal (about 0.26 degrees).
constexpr float kLevelCosine = 0.99999f;

float horizontalLengthSquared(const Vec3& v) {
    return v.x * v.x + v.z * v.z;
}

Vec3 horizontalDirection(const Vec3& from, const Vec3& to) {
    return glm::normalize(Vec3{to.x - from.x, 0.0f, to.z - from.z});
}
} // namespace

Mat4 billboardRotation(const Vec3& direction) {
    const Mat4 identity{1.0f};
    const float flatSquared = horizontalLengthSquared(direction);
    if (flatSquared == 0.0f) {
        if (direction.y == 0.0f) {
            return identity;
        }
        return rotateDegrees(identity, 90.0f, direction.y < 0.0f ? kRight : -kRight);
    }
    const float k = 1.0f / std::sqrt(flatSquared);
    const Vec3 h{direction.x * k, 0.0f, direction.z * k};

    // Yaw +Z onto h; the side of h.x gives the sense of the turn.
    const float yaw = acosDegrees(h.z);
    const Mat4 yawed = rotateDegrees(identity, h.x < 0.0f ? -yaw : yaw, kUp);

    const Vec3 f = direction / glm::length(direction);
    const float c = h.x * f.x + h.z * f.z;
    if (c >= 1.0f || c <= -1.0f) {
        return yawed;
    }
    return rotateDegrees(yawed, acosDegrees(c), f.y < 0.0f ? kRight : -kRight);
}

Mat4 headingYaw(const Vec3& position, const Vec3& target, const Vec3& reference) {
    if (horizontalLengthSquared(target - position) == 0.0f) {
        return Mat4{1.0f};
    }
    const Vec3 h = horizontalDirection(position, target);
    float angle = acosDegrees(glm::dot(reference, h));
    // Which way round: the sign of (up x reference) . h.
    if (reference.z * h.x - reference.x * h.z < 0.0f) {
        angle = -angle;
    }
    return rotateDegrees(Mat4{1.0f}, angle, kUp);
}

Mat4 pitchToTarget(const Vec3& position, const Vec3& target) {
    if (horizontalLengthSquared(target - position) == 0.0f) {
        return Mat4{1.0f};
    }
    const Vec3 h = horizontalDirection(position, target);
    const Vec3 f = glm::normalize(target - position);
    const float c = glm::dot(h, f);
    if (c > kLevelCosine) {
        return Mat4{1.0f};
    }
    return rotateDegrees(Mat4{1.0f}, acosDegrees(c), glm::normalize(glm::cross(h, f)));
}
