#include "sim/jam.h"

#include "sim/movement.h"
#include "sim/waypoints.h"

namespace {

// How far out from a planet's surface a jammed ship steps.
constexpr float kStepOutDistance = 1.0f;

void startCountAgain(Ship& ship) {
    ship.stuckSeconds = 0.0f;
    ship.stuckAnchor = ship.position;
}

Vec3 horizontalUnit(Vec3 v) {
    const Vec3 flat{v.x, 0.0f, v.z};
    const float length = glm::length(flat);
    return length > 0.0f ? flat / length : Vec3{1.0f, 0.0f, 0.0f};
}

} // namespace

void noteProgress(Ship& ship, double dt) {
    if (glm::length(ship.position - ship.stuckAnchor) > ship.radius) {
        startCountAgain(ship);
        return;
    }
    ship.stuckSeconds += static_cast<float>(dt);
}

void noteArrival(Ship& ship) {
    startCountAgain(ship);
}

bool isJammed(const Ship& ship) {
    return ship.stuckSeconds > kJamSeconds;
}

void freeFromShip(Ship& ship, const Waypoint& target, Ship& blocker) {
    startCountAgain(ship);
    if (target.kind != Waypoint::Destination) {
        popWaypoint(ship);
    }
    // The usual detour turns away from the blocker; mirrored through the
    // ship it turns the other way round it.
    const Vec3 mirrored = 2.0f * ship.position - blocker.position;
    pushWaypointFront(ship, detourPoint(ship.position, target.position, mirrored, ship.radius),
                      Waypoint::ShipDetour);
    pushWaypointFront(blocker,
                      nudgePoint(blocker.position, ship.position, target.position, ship.radius),
                      Waypoint::Nudge);
}

void freeFromPlanet(Ship& ship, const Waypoint& target, const Planet& planet) {
    startCountAgain(ship);
    if (target.kind != Waypoint::Destination) {
        popWaypoint(ship);
    }
    const Vec3 out = horizontalUnit(ship.position - planet.position);
    pushWaypointFront(ship, ship.position + (ship.radius + kStepOutDistance) * out,
                      Waypoint::Detour);
}
