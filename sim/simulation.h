// One frame of the galaxy: planets, the end of the game, then every ship.
#pragma once

#include "sim/galaxy.h"

// Advances the world by Galaxy.frameDelta; does nothing while paused.
void stepSimulation();

// One ship's part of the step: its orders, movement, claims, fire and shots.
void updateShip(Ship& ship);

// Releases the world at program end; no step may run afterwards.
void destroyGalaxy();
