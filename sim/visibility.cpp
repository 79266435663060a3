#include "sim/visibility.h"

#include <cmath>

#include "math/camera.h"
#include "math/frustum.h"

namespace {
constexpr float kSunRadius = 3.0f;
constexpr float kFlareFieldOfView = 50.0f;
constexpr float kFlareNear = 0.1f;
constexpr float kFlareFar = 10000.0f;

bool isLayerShown(const Planet& planet, int layerFilter) {
    return layerFilter == -1 || planet.layer == layerFilter;
}

bool isSunInView(const Vec3& sun) {
    const Camera& c = camera();
    ViewFrustum frustum;
    frustum.setProjection(kFlareFieldOfView, kFlareNear, kFlareFar);
    frustum.setPose(c.eye, c.target, c.worldUp);
    return frustum.classifySphere(sun, kSunRadius) == FrustumResult::Inside;
}

// Whether the ray from `origin` through `through`, and on past it, meets the
// sphere anywhere at or after its origin.
bool rayMeetsSphere(const Vec3& origin, const Vec3& through, const Vec3& centre, float radius) {
    // o(t) = origin + t * D; solve |o(t) - centre| = radius for t.
    const Vec3 direction = through - origin;
    const Vec3 fromCentre = origin - centre;
    const float a = glm::dot(direction, direction);
    const float b = 2.0f * glm::dot(direction, fromCentre);
    const float c = glm::dot(fromCentre, fromCentre) - radius * radius;
    const float disc = b * b - 4.0f * a * c;
    if (disc < 0.0f) {
        return false;
    }
    // The stable pair of roots q / a and c / q.
    const float root = std::sqrt(disc);
    const float q = b < 0.0f ? (-b - root) / 2.0f : (-b + root) / 2.0f;
    return q / a >= 0.0f || c / q >= 0.0f;
}
} // namespace

bool isLightSourceVisible(const Vec3& sun, int layerFilter) {
    if (!isSunInView(sun)) {
        return false;
    }
    const Vec3& eye = camera().eye;
    for (const auto& planet : galaxy().planets) {
        if (isLayerShown(*planet, layerFilter) &&
            rayMeetsSphere(sun, eye, planet->position, planet->radius)) {
            return false;
        }
    }
    return true;
}
