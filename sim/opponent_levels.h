// The opponents a player may choose, all built on the computer's two rules
// and the orders a player has. Standard is the two rules and nothing else;
// Easy lets its idle ships wait before they set out; Hard and Ruthless plan
// once a second: they gather their ships before they send them, attack the
// player's weakest planets, defend their own whose claims fall, go all in at
// the player's planets once either side holds twice the other's ships, and
// Ruthless opens only the routes that deliver more than the planet makes.
#pragma once

#include "sim/galaxy.h"

// The computer side's plan for this step, before any planet or ship moves.
void planComputerSide();

// A computer planet's part of the plan: its trade route.
void orderComputerPlanet(Planet& planet);

// A computer ship's part of the plan: where it goes when it has nowhere to go.
void orderComputerShip(Ship& ship);
