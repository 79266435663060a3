// One frame of the galaxy: planets, end of game, ships.
#pragma once

void stepSimulation();

// Releases the world at program end; no step may run afterwards.
void destroyGalaxy();
