#include "sim/simulation.h"

#include "sim/galaxy.h"

void stepSimulation() {
    if (galaxy().paused) {
        return;
    }
}

void destroyGalaxy() {
    resetGalaxy();
}
