// Finding what lies under the cursor: a ray from the camera through a
// window point, tested against the bounding spheres of planets and ships.
#pragma once

#include <vector>

#include "sim/galaxy.h"

struct PickRay {
    Vec3 origin{0.0f};    // on the near plane
    Vec3 direction{0.0f}; // unit
};

constexpr float kNothingHit = 100000000.0f;

// Everything one ray meets, each list in its galaxy list's order.
struct PickHits {
    std::vector<Planet*> planets;
    std::vector<Ship*> playerShips;
    std::vector<Ship*> computerShips;
    float nearest = kNothingHit; // distance along the ray to the first surface

    bool hitSomething() const { return nearest != kNothingHit; }
};

// The ray through window pixel (x, y), origin at the top-left corner, for the
// camera's view and the scene projection over the whole window.
PickRay pickRay(int x, int y);

// Tests every planet of the layer on show and every ship. Unselected ships
// outside the shown layer's height band cannot be hit.
PickHits castPickRay(const PickRay& ray);

// Where an order on what the ray hit goes: the first surface point along it.
// On a planet the point is kept a hair inside the sphere, where a ship that
// touches the planet counts as arrived; rounding would leave the surface
// point just outside about half the time, and the ships would circle it.
Vec3 orderPointOnHit(const PickRay& ray, const PickHits& hits);

// The nearest planet of the layers on show under window pixel (x, y); only
// planets, so it is cheap enough for every frame.
const Planet* planetUnderPointer(int x, int y);

// Distance along the ray to the sphere's surface (from inside: to where the
// ray leaves it), or a negative value when the ray misses it.
float raySphereDistance(const PickRay& ray, Vec3 centre, float radius);
