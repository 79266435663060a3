// The orders a player has queued: from each selected ship of theirs a thin
// line through every destination still ahead, with a mark at each one.
#pragma once

#include <vector>

#include "sim/galaxy.h"

// The ship's position, then the destinations it will fly to in order;
// empty when it has none. Detours and nudges are steering, not orders.
std::vector<Vec3> orderedPath(const Ship& ship);

// Builds the pass's program ("Shaders/pathShader") and buffers. Needs the
// GL context; a program that does not build leaves the pass drawing nothing.
void createWaypointPass();

// Lines and marks of every selected player ship with queued destinations.
void drawQueuedWaypoints();

// Deletes the GL objects while the context lives, or only forgets them.
void destroyWaypointPass();
void forgetWaypointPass();
