// A planet's part of the step: trade-route decisions, ship production,
// spawning queued ships, spin and moons.
#pragma once

#include "sim/galaxy.h"

void updatePlanet(Planet& planet);

// A route that pays: both ends developed and the target not routing back.
bool hasWorkingRoute(const Planet& planet);

// When production next pays out, read from the planet's state by the rules
// the step follows (frames assumed short): seconds until the next delivery
// lands in a queue, and until this planet next launches a ship of its own.
// Negative when none is coming.
double secondsToNextDelivery(const Planet& planet);
double secondsToNextShip(const Planet& planet);
