// Near-neighbour lookups for the ship walks of one step.
//
// Contact, target and hit scans visit ships and planets in list order and
// take the first (or every) entry that passes their test. During an indexed
// walk these lookups hand back only the entries whose grid cells lie near the
// point, still in list order; outside a walk, or with the index switched off,
// they hand back the whole list. Every entry that could pass a test is among
// those handed back, so both ways give the same results.
#pragma once

#include <vector>

#include "sim/galaxy.h"

// Switches the index off or on for the walks that follow; it starts on.
void setSpatialIndexEnabled(bool enabled);
bool spatialIndexEnabled();

// Indexes both ship lists and the planets for one ship-list walk, in which
// every ship moves at most once, by at most its speed times dt. Ships added to
// either list during the walk are picked up as they appear. The walk ends
// before any list is replaced.
void beginIndexedWalk(double dt);
void endIndexedWalk();

// Ships of one side that may lie within `reach` of the point on both x and z,
// in list order.
void shipsNear(bool playerSide, Vec3 point, float reach, std::vector<Ship*>& out);

// Planets that may lie within their radius plus `reach` of the point on both x
// and z, and within a tenth more than that on y, in list order. Planets never
// move during a walk.
void planetsNear(Vec3 point, float reach, std::vector<Planet*>& out);
