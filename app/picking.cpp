#include "app/picking.h"

#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include "math/camera.h"
#include "render/render_state.h"

namespace {

// How far inside a planet an order on its surface is placed, as a share of
// its radius: far above the rounding of a point some hundred units out.
constexpr float kInsideSurface = 0.999f;

// With one layer on show, unselected ships count only within its height band.
bool isInShownBand(const Ship& ship) {
    return renderState().layerFilter == kAllLayers || ship.selected ||
           isInLayerBand(ship.position.y, renderState().layerFilter);
}

void castAtShips(const PickRay& ray, const ShipList& ships, std::vector<Ship*>& hits,
                 float& nearest) {
    for (const ShipRef& ship : ships) {
        if (!isInShownBand(*ship)) {
            continue;
        }
        const float distance = raySphereDistance(ray, ship->position, ship->radius);
        if (distance >= 0.0f) {
            hits.push_back(ship.get());
            nearest = std::min(nearest, distance);
        }
    }
}

// Distance along the ray to a planet of the layers on show, or negative.
float planetDistance(const PickRay& ray, const Planet& planet) {
    return passesLayerFilter(planet.layer) ? raySphereDistance(ray, planet.position, planet.radius)
                                           : -1.0f;
}

} // namespace

PickRay pickRay(int x, int y) {
    const glm::vec4 viewport{0.0f, 0.0f, static_cast<float>(renderState().windowWidth),
                             static_cast<float>(renderState().windowHeight)};
    const float windowY = viewport.w - static_cast<float>(y) - 1.0f;
    const Mat4 view = getViewMatrix();
    const Vec3 farPoint = glm::unProject(Vec3{static_cast<float>(x), windowY, 1.0f}, view,
                                         renderState().projectionMatrix, viewport);
    const Vec3 nearPoint = glm::unProject(Vec3{static_cast<float>(x), windowY, 0.0f}, view,
                                          renderState().projectionMatrix, viewport);
    return {nearPoint, glm::normalize(farPoint - nearPoint)};
}

float raySphereDistance(const PickRay& ray, Vec3 centre, float radius) {
    const Vec3 offset = ray.origin - centre;
    const float a = glm::dot(ray.direction, ray.direction);
    const float b = 2.0f * glm::dot(ray.direction, offset);
    const float c = glm::dot(offset, offset) - radius * radius;
    const float disc = b * b - 4.0f * a * c;
    if (disc < 0.0f) {
        return -1.0f;
    }
    const float root = std::sqrt(disc);
    const float t0 = (-b - root) / (2.0f * a);
    const float t1 = (-b + root) / (2.0f * a);
    if (t1 < 0.0f) {
        return -1.0f;
    }
    return t0 >= 0.0f ? t0 : t1;
}

PickHits castPickRay(const PickRay& ray) {
    PickHits hits;
    const Galaxy& g = galaxy();
    for (const auto& planet : g.planets) {
        const float distance = planetDistance(ray, *planet);
        if (distance >= 0.0f) {
            hits.planets.push_back(planet.get());
            hits.nearest = std::min(hits.nearest, distance);
        }
    }
    castAtShips(ray, g.playerShips, hits.playerShips, hits.nearest);
    castAtShips(ray, g.computerShips, hits.computerShips, hits.nearest);
    return hits;
}

Vec3 orderPointOnHit(const PickRay& ray, const PickHits& hits) {
    const Vec3 point = ray.origin + ray.direction * hits.nearest;
    for (const Planet* planet : hits.planets) {
        if (raySphereDistance(ray, planet->position, planet->radius) == hits.nearest) {
            const Vec3 outward = point - planet->position;
            return planet->position +
                   outward * (kInsideSurface * planet->radius / glm::length(outward));
        }
    }
    return point;
}

const Planet* planetUnderPointer(int x, int y) {
    const PickRay ray = pickRay(x, y);
    const Planet* nearest = nullptr;
    float nearestDistance = kNothingHit;
    for (const auto& planet : galaxy().planets) {
        const float distance = planetDistance(ray, *planet);
        if (distance >= 0.0f && distance < nearestDistance) {
            nearest = planet.get();
            nearestDistance = distance;
        }
    }
    return nearest;
}
