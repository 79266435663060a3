// A ship's waypoint list: it always steers toward the first entry.
#pragma once

#include "sim/galaxy.h"

void appendWaypoint(Ship& ship, Vec3 position, Waypoint::Kind kind);
void pushWaypointFront(Ship& ship, Vec3 position, Waypoint::Kind kind);
void popWaypoint(Ship& ship);
