// Building a fresh galaxy at start-up, and the one way ships come into being.
#pragma once

#include "sim/galaxy.h"

// Seeds the generator with the calendar time, then builds the galaxy.
void generateGalaxy();

// Builds the galaxy from the generator as it stands: planets on a jittered
// three-layer grid, moons, both home planets and their starting ships.
void buildGalaxy();

// Tries to create one ship of the planet's owner beside it. Refuses for
// planets that are not established, for full sides, and when three spawn
// points in a row are blocked.
void spawnShip(Planet& planet);

// Where a new player ship from this planet flies: along the planet's chain
// of trade routes to the last rally point before the chain closes.
Vec3 spawnDestination(const Planet& planet);
