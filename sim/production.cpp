#include "sim/production.h"

#include <algorithm>

#include "math/degrees.h"
#include "sim/events.h"
#include "sim/generation.h"
#include "sim/opponent.h"

namespace {

constexpr double kSpawnInterval = 2.0;
constexpr double kStandaloneTick = 1.0;
constexpr int kStandaloneBatch = 15;
constexpr int kOwnShareCap = 3;
const Vec3 kSpinAxis{0.0f, 0.5f, 0.0f};

// Long routes tick more slowly as their production nears the far end.
double routeTickInterval(int progress) {
    if (progress <= 15) {
        return 2.0;
    }
    if (progress <= 20) {
        return 2.4;
    }
    if (progress <= 25) {
        return 2.8;
    }
    if (progress <= 30) {
        return 3.2;
    }
    return 4.0;
}

// Production travels along the route one tick at a time; when it arrives the
// target queues a ship plus one per route feeding this planet, and this
// planet keeps a share of those fed to it.
void produceAlongRoute(Planet& planet, double dt) {
    planet.productionTimer += dt;
    const double interval = routeTickInterval(planet.productionProgress);
    int ticks = 0;
    while (planet.productionTimer >= interval) {
        planet.productionTimer -= interval;
        ++ticks;
    }
    for (int i = 0; i < ticks; ++i) {
        planet.productionProgress += 1;
        if (planet.productionProgress > planet.routeLength) {
            planet.productionProgress = 0;
            planet.routeTarget->shipQueue += planet.incomingRoutes + 1;
            planet.shipQueue += std::min(planet.incomingRoutes, kOwnShareCap);
        }
    }
}

// Progress carried over from a route that stopped paying may stand at or past
// a batch; the count then starts afresh, time included, instead of stalling
// while the timer saves up time for a burst when the route pays again.
void produceStandalone(Planet& planet, double dt) {
    if (planet.productionProgress >= kStandaloneBatch) {
        planet.productionProgress = 0;
        planet.productionTimer = 0.0;
    }
    planet.productionTimer += dt;
    while (planet.productionTimer >= kStandaloneTick &&
           planet.productionProgress < kStandaloneBatch) {
        planet.productionTimer -= kStandaloneTick;
        planet.productionProgress += 1;
        if (planet.productionProgress == kStandaloneBatch) {
            planet.productionProgress = 0;
            planet.shipQueue += planet.incomingRoutes + 1;
        }
    }
}

// At most one queued ship leaves per interval. A queued ship is used up even
// when there is no room to place it.
void spawnQueuedShips(Planet& planet, double dt) {
    planet.spawnTimer += dt;
    while (planet.spawnTimer >= kSpawnInterval) {
        planet.spawnTimer -= kSpawnInterval;
        if (planet.shipQueue >= 1) {
            spawnRecordedShip(planet);
            planet.shipQueue -= 1;
        }
    }
}

void turnPlanetAndMoons(Planet& planet, double dt) {
    planet.model.modelMatrix = rotateDegrees(planet.model.modelMatrix,
                                             static_cast<float>(planet.spinSpeed * dt), kSpinAxis);
    for (Moon& moon : planet.moons) {
        const Mat4 orbit =
            rotateDegrees(Mat4{1.0f}, static_cast<float>(moon.orbitSpeed * dt), moon.orbitAxis);
        moon.orbitOffset = orbit * moon.orbitOffset;
    }
}

} // namespace

bool hasWorkingRoute(const Planet& planet) {
    return planet.hasRoute() && isEstablished(planet) && isEstablished(*planet.routeTarget) &&
           planet.routeTarget->routeTarget != &planet;
}

void updatePlanet(Planet& planet) {
    const double dt = galaxy().frameDelta;
    openComputerTradeRoute(planet);
    if (hasWorkingRoute(planet)) {
        produceAlongRoute(planet, dt);
    } else if (isEstablished(planet)) {
        produceStandalone(planet, dt);
    }
    spawnQueuedShips(planet, dt);
    turnPlanetAndMoons(planet, dt);
}
