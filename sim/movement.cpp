#include "sim/movement.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "math/degrees.h"
#include "sim/events.h"
#include "sim/jam.h"
#include "sim/spatial_index.h"
#include "sim/waypoints.h"

namespace {

constexpr float kReachFactor = 1.1f;
constexpr float kDetourAngle = 35.0f;

Vec3 turnedAboutVertical(Vec3 v, float degrees) {
    static const Mat4 left = rotateDegrees(Mat4{1.0f}, kDetourAngle, Vec3{0.0f, 1.0f, 0.0f});
    static const Mat4 right = rotateDegrees(Mat4{1.0f}, -kDetourAngle, Vec3{0.0f, 1.0f, 0.0f});
    return Vec3{(degrees > 0.0f ? left : right) * Vec4{v, 0.0f}};
}

// Unit vector of v, or `fallback` when v has no length to speak of.
Vec3 unitOr(Vec3 v, Vec3 fallback) {
    const float length = glm::length(v);
    return length > 0.0f && std::isfinite(length) ? v / length : fallback;
}

Vec3 horizontal(Vec3 v) {
    return Vec3{v.x, 0.0f, v.z};
}

// The ship has come up against a planet: either it has arrived (its waypoint
// lies inside the planet, or is a destination so close to it that no ship
// could stand there without touching it: an order on a ship parked at the
// planet) or it turns aside.
void meetPlanet(Ship& ship, const Waypoint& target, const Planet& planet) {
    const float reach = target.kind == Waypoint::Destination
                            ? kReachFactor * (planet.radius + ship.radius)
                            : planet.radius;
    if (glm::length(target.position - planet.position) <= reach) {
        popWaypoint(ship);
        noteArrival(ship);
        return;
    }
    if (isJammed(ship)) {
        freeFromPlanet(ship, target, planet);
        return;
    }
    if (target.kind != Waypoint::Destination) {
        popWaypoint(ship);
    }
    pushWaypointFront(ship,
                      detourPoint(ship.position, target.position, planet.position, ship.radius),
                      Waypoint::Detour);
}

// A step that takes the ship further from a body it touches is never blocked
// by that body, so ships pressed together can always part.
bool stepsAway(const Ship& ship, Vec3 step, Vec3 body) {
    return glm::length(ship.position - body) > glm::length(ship.position - step - body);
}

const Planet* touchedPlanet(const Ship& ship, Vec3 step) {
    static std::vector<Planet*> nearby;
    planetsNear(ship.position, ship.radius, nearby);
    for (const Planet* planet : nearby) {
        if (bodiesTouch(ship.position, ship.radius, planet->position, planet->radius) &&
            !stepsAway(ship, step, planet->position)) {
            return planet;
        }
    }
    return nullptr;
}

Ship* touchedShipOfSide(const Ship& ship, Vec3 step, bool playerSide) {
    static std::vector<Ship*> nearby;
    shipsNear(playerSide, ship.position, ship.radius, nearby);
    for (Ship* other : nearby) {
        if (other != &ship &&
            bodiesTouch(ship.position, ship.radius, other->position, other->radius) &&
            !stepsAway(ship, step, other->position)) {
            return other;
        }
    }
    return nullptr;
}

Ship* touchedShip(const Ship& ship, Vec3 step) {
    Ship* other = touchedShipOfSide(ship, step, true);
    return other != nullptr ? other : touchedShipOfSide(ship, step, false);
}

// Running into an enemy hurts the enemy; computer ships that keep bumping
// into their own kind give up on where they were going.
void collide(Ship& ship, Ship& other, double dt) {
    if (ship.isPlayer != other.isPlayer) {
        damageShip(other, ship.ramDamage * dt, EventKind::RammingHit);
    } else if (!ship.isPlayer) {
        ship.bumpCount += 1.0f;
        if (ship.bumpCount > 1.0f && !ship.waypoints.empty()) {
            popWaypoint(ship);
            ship.bumpCount = 0.0f;
        }
    }
}

// A player ship that runs into an own ship bound for the same destination (a
// group order at the ships' own heights gives each its own point, a little
// apart), standing on it or stopped there already, has arrived: a group sent
// to one point gathers round it instead of circling it for ever.
bool destinationTaken(const Ship& ship, const Waypoint& target, const Ship& other) {
    if (!ship.isPlayer || !other.isPlayer || target.kind != Waypoint::Destination) {
        return false;
    }
    const auto next =
        std::find_if(other.waypoints.begin(), other.waypoints.end(),
                     [](const Waypoint& w) { return w.kind == Waypoint::Destination; });
    const bool stopped = next == other.waypoints.end();
    const Vec3 bound = stopped ? other.headingPoint : next->position;
    if (glm::length(bound - target.position) > kReachFactor * ship.radius) {
        return false;
    }
    return stopped ||
           bodiesTouch(target.position, 0.0f, other.position, ship.radius + other.radius);
}

void meetShip(Ship& ship, const Waypoint& target, Ship& other, double dt) {
    collide(ship, other, dt);
    if (destinationTaken(ship, target, other)) {
        popWaypoint(ship);
        noteArrival(ship);
        return;
    }
    if (isJammed(ship)) {
        freeFromShip(ship, target, other);
        return;
    }
    if (target.kind != Waypoint::Destination) {
        popWaypoint(ship);
    }
    if (!other.waypoints.empty()) {
        pushWaypointFront(ship,
                          detourPoint(ship.position, target.position, other.position, ship.radius),
                          Waypoint::ShipDetour);
    } else {
        pushWaypointFront(other,
                          nudgePoint(other.position, ship.position, target.position, ship.radius),
                          Waypoint::Nudge);
    }
}

} // namespace

bool bodiesTouch(Vec3 a, float radiusA, Vec3 b, float radiusB) {
    const float sum = radiusA + radiusB;
    const Vec3 d = a - b;
    return std::abs(d.x) <= sum && std::abs(d.z) <= sum && glm::length(d) <= kReachFactor * sum;
}

Vec3 detourPoint(Vec3 from, Vec3 waypoint, Vec3 obstacle, float radius) {
    const Vec3 d = waypoint - from;
    // Straight above or below there is no sideways; any side will do then.
    const Vec3 perp = unitOr(Vec3{d.z, 0.0f, -d.x}, Vec3{1.0f, 0.0f, 0.0f});
    if (glm::dot(perp, obstacle - from) < 0.0f) {
        return from + turnedAboutVertical(radius * perp, -kDetourAngle);
    }
    return from + turnedAboutVertical(-radius * perp, kDetourAngle);
}

Vec3 nudgePoint(Vec3 idle, Vec3 mover, Vec3 waypoint, float radius) {
    const Vec3 u = unitOr(horizontal(idle - mover), Vec3{1.0f, 0.0f, 0.0f});
    const Vec3 v{radius * u.x, mover.y - idle.y, radius * u.z};
    const float angle =
        glm::dot(u, horizontal(waypoint - mover)) > 0.0f ? -kDetourAngle : kDetourAngle;
    return idle + turnedAboutVertical(v, angle);
}

bool moveTowards(Ship& ship, Waypoint target) {
    const double dt = galaxy().frameDelta;
    // A ship already standing on its waypoint has nowhere to step.
    const Vec3 direction = unitOr(target.position - ship.position, Vec3{0.0f});
    const Vec3 step = direction * static_cast<float>(ship.speed * dt);
    ship.position += step;

    if (const Planet* planet = touchedPlanet(ship, step)) {
        meetPlanet(ship, target, *planet);
        ship.position -= step;
        return false;
    }
    if (Ship* other = touchedShip(ship, step)) {
        meetShip(ship, target, *other, dt);
        ship.position -= step;
        return false;
    }
    ship.currentSpeed = glm::length(step);
    return true;
}

void followWaypoints(Ship& ship) {
    if (ship.waypoints.empty()) {
        ship.currentSpeed = 0.0f;
        return;
    }
    noteProgress(ship, galaxy().frameDelta);
    const Waypoint target = ship.waypoints.front();
    if (!moveTowards(ship, target)) {
        ship.currentSpeed = 0.0f;
        return;
    }
    if (target.kind == Waypoint::Destination) {
        ship.headingPoint = target.position;
    }
    if (glm::length(ship.position - target.position) <= kReachFactor * ship.radius) {
        popWaypoint(ship);
        noteArrival(ship);
    }
}
