// Ships standing near a planet claim it for their side; a claim of 100 takes
// the planet over.
#pragma once

#include "sim/galaxy.h"

void claimNearbyPlanets(Ship& ship);
