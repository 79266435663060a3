#include "sim/combat.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <vector>

#include "sim/clock.h"
#include "sim/events.h"
#include "sim/line_of_fire.h"
#include "sim/random.h"
#include "sim/spatial_index.h"

namespace {

constexpr float kTargetBox = 15.0f;
constexpr float kFiringRange = 24.0f;
constexpr float kFiringRangeMoving = 21.0f;
constexpr float kLeadFactor = 10.0f;
constexpr float kLaserSpeed = 16.0f;
constexpr float kLaserRange = 25.0f;
constexpr float kMovingShotPenalty = 3.0f;
constexpr float kShipHitMargin = 0.3f;
constexpr float kShipHitSlack = 1.1f;
constexpr float kPlanetHitMargin = 0.2f;
constexpr double kLaserDamage = 1.0;
constexpr float kNoTargetYet = 1e13f;
constexpr double kTargetedShotRefund = 0.25;

bool isMoving(const Ship& ship) {
    return ship.currentSpeed > 0.0f;
}

// Selected player ships keep their shot for the player's own target while
// the modifier is held, and for the frame in which it is let go.
bool holdsFireForPlayer(const Ship& ship, TargetedFireKey& key) {
    if (!ship.isPlayer || !ship.selected) {
        return false;
    }
    if (key.held) {
        return true;
    }
    if (key.releasedMarker) {
        key.releasedMarker = false;
        return true;
    }
    return false;
}

// Every enemy in range and in the clear is weighed in list order: a closer
// one takes over unless the roll says the ship sticks with its first choice,
// and one at less than half the distance always takes over.
Ship* chooseTarget(const Ship& ship, float& targetDistance) {
    static std::vector<Ship*> contenders;
    const float range = isMoving(ship) ? kFiringRangeMoving : kFiringRange;
    const int randomness = galaxy().attackRandomness;
    shipsNear(!ship.isPlayer, ship.position, kTargetBox, contenders);
    LineOfFire lineOfFire(ship.position, spatialIndexEnabled());
    Ship* target = nullptr;
    targetDistance = kNoTargetYet;
    for (Ship* contender : contenders) {
        const Vec3 d = contender->position - ship.position;
        if (std::abs(d.x) > kTargetBox || std::abs(d.z) > kTargetBox) {
            continue;
        }
        const float distance = glm::length(d);
        if (distance > range || !lineOfFire.isClear(contender->position)) {
            continue;
        }
        const int roll = randomDraw() % 100 + 1;
        const bool closer = distance < targetDistance;
        if (target == nullptr || (roll > randomness && closer) ||
            distance < targetDistance / 2.0f) {
            target = contender;
            targetDistance = distance;
        }
    }
    return target;
}

// Where the target will be: ahead along its way by its last step, scaled
// with the distance the shot has to cover.
Vec3 leadPoint(const Ship& target, float distance) {
    if (target.waypoints.empty()) {
        return target.position;
    }
    const Vec3 toWaypoint = target.waypoints.front().position - target.position;
    const float length = glm::length(toWaypoint);
    if (!(length > 0.0f)) {
        return target.position;
    }
    return target.position + toWaypoint / length * (target.currentSpeed * distance * kLeadFactor);
}

bool hitsPlanet(const LaserShot& laser) {
    static std::vector<Planet*> nearby;
    planetsNear(laser.position, kPlanetHitMargin, nearby);
    return std::any_of(nearby.begin(), nearby.end(), [&laser](const Planet* planet) {
        const float reach = planet->radius + kPlanetHitMargin;
        const Vec3 d = laser.position - planet->position;
        return std::abs(d.x) <= reach && std::abs(d.z) <= reach && glm::length(d) <= reach;
    });
}

Ship* struckShip(const LaserShot& laser) {
    static std::vector<Ship*> nearby;
    shipsNear(laser.fromComputer, laser.position, kShipHitMargin, nearby);
    for (Ship* ship : nearby) {
        const float reach = ship->radius + kShipHitMargin;
        const Vec3 d = laser.position - ship->position;
        if (std::abs(d.x) <= reach && std::abs(d.z) <= reach &&
            glm::length(d) <= reach * kShipHitSlack) {
            return ship;
        }
    }
    return nullptr;
}

// A shot past its range still flies and can hit this frame; it is cleared
// out at the next update.
void advanceLaser(LaserShot& laser, double dt) {
    if (laser.travelled > kLaserRange - laser.rangePenalty) {
        laser.alive = false;
    }
    const Vec3 step = laser.direction * static_cast<float>(dt * kLaserSpeed);
    laser.travelled += glm::length(step);
    laser.position += step;
    if (hitsPlanet(laser)) {
        laser.alive = false;
    } else if (Ship* ship = struckShip(laser)) {
        damageShip(*ship, kLaserDamage, EventKind::ShipHit);
        laser.alive = false;
    }
}

bool isReloaded(const Ship& ship) {
    return ship.reloadTimer >= ship.reloadTime;
}

} // namespace

TargetedFireKey& targetedFireKey() {
    static TargetedFireKey key;
    return key;
}

void acquireTargetAndFire(Ship& ship, TargetedFireKey& key) {
    if (holdsFireForPlayer(ship, key)) {
        return;
    }
    float distance = 0.0f;
    const Ship* target = chooseTarget(ship, distance);
    if (target == nullptr) {
        return; // still reloaded; looks again next frame
    }
    fireLaser(ship, leadPoint(*target, distance));
    ship.lastShotTime = currentTime();
    ship.lastTargetPoint = target->position;
}

void fireLaser(Ship& ship, Vec3 point) {
    LaserShot laser;
    laser.position = ship.position;
    const Vec3 toPoint = point - ship.position;
    const float length = glm::length(toPoint);
    // A shot at the ship's own position still has to fly somewhere to expire.
    laser.direction =
        length > 0.0f && std::isfinite(length) ? toPoint / length : Vec3{1.0f, 0.0f, 0.0f};
    laser.targetPoint = point;
    laser.fromComputer = !ship.isPlayer;
    if (isMoving(ship)) {
        laser.rangePenalty = kMovingShotPenalty;
    }
    ship.lasers.push_back(laser);
    ship.reloadTimer -= ship.reloadTime;
    recordEvent(EventKind::LaserFired, ship.position,
                ship.isPlayer ? Side::Player : Side::Computer);
}

void updateLasers(Ship& ship) {
    std::erase_if(ship.lasers, [](const LaserShot& laser) { return !laser.alive; });
    const double dt = galaxy().frameDelta;
    for (LaserShot& laser : ship.lasers) {
        advanceLaser(laser, dt);
    }
}

void manualFire(Ship& ship) {
    if (!isReloaded(ship)) {
        return;
    }
    std::cout << "MAX:" << ship.reloadTime << " t:" << ship.reloadTimer << '\n';
    fireLaser(ship, galaxy().aimPoint);
}

void targetedFire(Vec3 targetPosition) {
    for (const ShipRef& ship : galaxy().playerShips) {
        if (!ship->selected || !isReloaded(*ship)) {
            continue;
        }
        fireLaser(*ship, targetPosition);
        ship->reloadTimer += kTargetedShotRefund * ship->reloadTime;
    }
}
