// Ships steering along their waypoints: planet and ship contacts, detours
// around obstacles, nudging idle ships aside, and ramming.
#pragma once

#include "sim/galaxy.h"

// Steps toward the first waypoint and drops it once the ship is there.
void followWaypoints(Ship& ship);

// One step toward the waypoint. Returns false, with the ship back where it
// was, when the new position touches a planet or another ship; the contact
// has then been dealt with (arrival, detour, nudge or ramming).
bool moveTowards(Ship& ship, Waypoint target);

// A point beside a ship at `from`, heading for `waypoint`, that leads around
// an obstacle at `obstacle`.
Vec3 detourPoint(Vec3 from, Vec3 waypoint, Vec3 obstacle, float radius);

// A point a little aside for an idle ship at `idle`, out of the way of a ship
// at `mover` heading for `waypoint`.
Vec3 nudgePoint(Vec3 idle, Vec3 mover, Vec3 waypoint, float radius);

// Two bodies touch when they overlap on x and z and are closer than a tenth
// more than the sum of their radii.
bool bodiesTouch(Vec3 a, float radiusA, Vec3 b, float radiusB);
