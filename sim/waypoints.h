// A ship's waypoint list: it always steers toward the first entry. These
// operations only edit the list; the ship's update derives its move state
// from whether any waypoint is left.
#pragma once

#include "sim/galaxy.h"

void appendWaypoint(Ship& ship, Vec3 position, Waypoint::Kind kind);
void pushWaypointFront(Ship& ship, Vec3 position, Waypoint::Kind kind);

// Drops the first waypoint; nothing when there is none.
void popWaypoint(Ship& ship);

// Whether any of the ship's waypoints is a Destination.
bool hasDestination(const Ship& ship);
