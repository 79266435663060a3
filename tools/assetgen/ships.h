// The player's and the computer's small warship: a hull in two levels of
// detail and its turret. Model units: the hull is about 350 long, nose along
// +X, +Y up, port/starboard symmetric about z = 0. The turret is modelled in
// place on the dorsal barbette above the origin, so it turns about the ship's
// vertical axis; its barrels point along +X.
#pragma once

#include "mesh.h"

namespace assetgen {

Mesh makeHullHigh();
Mesh makeHullLow();
// The hull for a dozen pixels long: the low one's outline, coarser still.
Mesh makeHullFar();
Mesh makeTurret();
// The turret for a few pixels across: the same outline in far fewer triangles.
Mesh makeTurretLow();

// Height of the barbette top the turret stands on.
constexpr float kTurretDeckY = 25.0f;

} // namespace assetgen
