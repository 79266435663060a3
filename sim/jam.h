// Ships that hold orders but have got nowhere for a while get free: two
// ships that block each other each turn aside toward the other, and neither
// is an idle ship to be nudged, so without this they would wait for ever.
#pragma once

#include "sim/galaxy.h"

// Seconds a ship with waypoints may stay within its radius of one place
// before it counts as jammed.
constexpr float kJamSeconds = 2.0f;

// Counts how long the ship has kept to one place while following waypoints;
// moving more than its radius away starts the count again.
void noteProgress(Ship& ship, double dt);

// A waypoint reached is progress, wherever the ship stands.
void noteArrival(Ship& ship);

bool isJammed(const Ship& ship);

// Frees a jammed ship blocked by another: it turns aside to the other side
// from its usual detour, and the blocker is nudged out of its way.
void freeFromShip(Ship& ship, const Waypoint& target, Ship& blocker);

// Frees a jammed ship blocked by a planet: it steps straight out from it.
void freeFromPlanet(Ship& ship, const Waypoint& target, const Planet& planet);
