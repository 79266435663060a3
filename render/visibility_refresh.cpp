#include "render/visibility_refresh.h"

#include "math/camera.h"
#include "math/frustum.h"
#include "sim/galaxy.h"

namespace {

// A little wider than the scene's 40 degrees, so nothing at the very edge
// of the picture is dropped.
constexpr float kCullingFieldOfView = 45.0f;
constexpr float kCullingNear = 0.1f;
constexpr float kCullingFar = 10000.0f;
// Planets and moons are tested almost as points.
constexpr float kBodyRadiusFactor = 0.01f;

bool isInside(const ViewFrustum& frustum, const Vec3& centre, float radius) {
    return frustum.classifySphere(centre, radius) == FrustumResult::Inside;
}

void refreshShips(const ViewFrustum& frustum, ShipList& ships) {
    for (const ShipRef& ship : ships) {
        ship->visible = isInside(frustum, ship->position, ship->radius);
    }
}

} // namespace

void refreshVisibility() {
    const Camera& cam = camera();
    ViewFrustum frustum;
    frustum.setProjection(kCullingFieldOfView, kCullingNear, kCullingFar);
    frustum.setPose(cam.eye, cam.target, cam.worldUp);

    Galaxy& g = galaxy();
    for (const auto& planet : g.planets) {
        planet->visible = isInside(frustum, planet->position, planet->radius * kBodyRadiusFactor);
        for (Moon& moon : planet->moons) {
            const Vec3 centre = planet->position + Vec3{moon.orbitOffset};
            moon.visible = isInside(frustum, centre, moon.orbitDistance * kBodyRadiusFactor);
        }
    }
    refreshShips(frustum, g.playerShips);
    refreshShips(frustum, g.computerShips);
}
