// The computer side's two rules: developed computer planets open trade routes
// to nearby developed computer planets, and idle computer ships fly to the
// nearest planet the computer can still claim.
#pragma once

#include "sim/galaxy.h"

// Longest computer route, in whole units between the surfaces.
constexpr int kComputerRouteReach = 15;

// Points a developed computer planet that lacks a route to a computer planet
// at the last developed computer planet within reach, announcing each choice.
void openComputerTradeRoute(Planet& planet);

// Routes a computer planet to `target`, `length` whole units away, and
// announces it; a route the player opened there before leaves the counts.
void openComputerRouteTo(Planet& planet, Planet& target, int length);

// Sends an idle computer ship to the nearest planet that is not yet firmly
// the computer's.
void chooseComputerDestination(Ship& ship);
