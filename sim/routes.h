// Trade routes: a planet's production pointed at another planet. A route is
// the planet's routeTarget link; routes the player opens are also counted in
// the producer's outgoingRoutes and the target's incomingRoutes.
#pragma once

#include "sim/galaxy.h"

// Whole units of empty space between the two planets' surfaces.
int routeLength(const Planet& from, const Planet& to);

// Takes a counted route out of the counts of both of its ends; leaves the
// link itself alone. Uncounted (computer) routes are left as they are.
void uncountRoute(Planet& planet);

// The player's route and rally command at a point: every selected player
// planet gets the point as its rally point, and a route to the planet at the
// point, if there is one there, or else no route.
void routePlanets(Vec3 point);
