#include "sim/production.h"

#include <algorithm>
#include <cmath>

#include "math/degrees.h"
#include "sim/events.h"
#include "sim/generation.h"
#include "sim/opponent_levels.h"

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

// Ticks still to come before the next delivery, and the seconds they take
// from a fresh timer.
double routeDeliverySeconds(const Planet& planet) {
    double seconds = 0.0;
    for (int progress = planet.productionProgress; progress <= planet.routeLength; ++progress) {
        seconds += routeTickInterval(progress);
    }
    return seconds;
}

double standaloneDeliverySeconds(const Planet& planet) {
    const int progress =
        planet.productionProgress >= kStandaloneBatch ? 0 : planet.productionProgress;
    return (kStandaloneBatch - progress) * kStandaloneTick;
}

// Ships the next delivery adds to this planet's own queue.
int ownShareOfDelivery(const Planet& planet) {
    return hasWorkingRoute(planet) ? std::min(planet.incomingRoutes, kOwnShareCap)
                                   : planet.incomingRoutes + 1;
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

double secondsToNextDelivery(const Planet& planet) {
    if (hasWorkingRoute(planet)) {
        return routeDeliverySeconds(planet) - planet.productionTimer;
    }
    if (!isEstablished(planet)) {
        return -1.0;
    }
    const bool restarts = planet.productionProgress >= kStandaloneBatch;
    return standaloneDeliverySeconds(planet) - (restarts ? 0.0 : planet.productionTimer);
}

// A ship leaves at every whole spawn interval of the spawn timer that finds
// the queue filled: at once for a waiting ship, else at the first one after
// the delivery.
double secondsToNextShip(const Planet& planet) {
    if (planet.shipQueue >= 1) {
        return std::max(0.0, kSpawnInterval - planet.spawnTimer);
    }
    // A timer saved up past an interval (a fresh capture) spends it at once.
    const double timer = planet.spawnTimer >= kSpawnInterval
                             ? std::fmod(planet.spawnTimer, kSpawnInterval)
                             : planet.spawnTimer;
    const double firstLaunch = kSpawnInterval - timer;
    const double delivery = secondsToNextDelivery(planet);
    if (delivery < 0.0 || ownShareOfDelivery(planet) == 0) {
        return -1.0;
    }
    const double intervals = std::ceil(std::max(0.0, delivery - firstLaunch) / kSpawnInterval);
    return firstLaunch + intervals * kSpawnInterval;
}

void updatePlanet(Planet& planet) {
    const double dt = galaxy().frameDelta;
    orderComputerPlanet(planet);
    if (hasWorkingRoute(planet)) {
        produceAlongRoute(planet, dt);
    } else if (isEstablished(planet)) {
        produceStandalone(planet, dt);
    }
    spawnQueuedShips(planet, dt);
    turnPlanetAndMoons(planet, dt);
}
