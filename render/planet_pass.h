// Planets with their owner tints and night lights, the bead rows that show
// a planet's trade route and production, and the moons.
#pragma once

#include "sim/galaxy.h"

// Materials the planet pass writes into a planet each frame.
namespace PlanetTint {
Material rallyTarget();
Material selected();
Material player();
Material computer();
Material neutral();
} // namespace PlanetTint

// Marker colours of a trade route in the standard palette.
namespace MarkerColor {
constexpr Vec4 Progress{0.0f, 0.8f, 0.0f, 1.0f};
constexpr Vec4 Near{0.2f, 0.1f, 2.2f, 1.0f};    // beads 15 to 20
constexpr Vec4 Middle{1.3f, 1.3f, 0.3f, 1.0f};  // 21 to 25
constexpr Vec4 Far{1.8f, 0.3f, 0.3f, 1.0f};     // 26 to 30
constexpr Vec4 TooFar{2.8f, 0.0f, 0.0f, 1.0f};  // beyond 30
constexpr Vec4 Unpaid{0.7f, 0.7f, 0.7f, 1.0f};  // the route earns nothing
constexpr Vec4 NoRoute{0.6f, 0.0f, 0.0f, 1.0f}; // none, or two planets feeding each other
} // namespace MarkerColor

// Whether a selected planet other than this one has its rally point on it.
bool isRallyTarget(const Planet& planet, const Galaxy& galaxy);

// Writes this frame's tint into the planet's material: selected first, then
// rally target, then the side that holds a full claim, else neutral.
void tintPlanet(Planet& planet, const Galaxy& galaxy);

// The planet's spin scaled to its radius and moved to its place.
Mat4 planetModelMatrix(const Planet& planet);

// The sphere a planet (or a moon, up to its own sphere) is drawn with, by
// its size on screen: spheres of 8, 12, 16 (the moons'), 24 and 40 slices
// up to 7, 16, 28, 63 and 170 pixels across, the full one of 80 beyond.
// Each is just as round at the sizes it serves. Wireframes show the full one
// at every size, so their lines do not thin out and jump with the zoom.
int planetSphereKind(float radius, float distanceFromEye);

// One bead per whole unit from the planet to its rally point, coloured by
// the active palette.
int markerCount(const Planet& planet);
Vec4 markerColor(const Planet& planet, int index);

// Draws planets, route markers and moons, counting each planet and moon in
// renderState().drawnPlanetCount.
void drawPlanets();
