// A planet's part of the step: trade-route decisions, ship production,
// spawning queued ships, spin and moons.
#pragma once

#include "sim/galaxy.h"

void updatePlanet(Planet& planet);

// A route that pays: both ends developed and the target not routing back.
bool hasWorkingRoute(const Planet& planet);
