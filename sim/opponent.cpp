#include "sim/opponent.h"

#include <iostream>

#include "sim/events.h"
#include "sim/routes.h"
#include "sim/waypoints.h"

namespace {

constexpr float kNoDestinationYet = 1e10f;

bool isDevelopedComputerPlanet(const Planet& planet) {
    return planet.owner == Side::Computer && isEstablished(planet);
}

bool needsComputerRoute(const Planet& planet) {
    return isDevelopedComputerPlanet(planet) &&
           (!planet.hasRoute() || planet.routeTarget->owner != Side::Computer);
}

bool qualifiesAsRouteTarget(const Planet& from, const Planet& candidate) {
    return &candidate != &from && isDevelopedComputerPlanet(candidate) &&
           from.routeTarget != &candidate && candidate.routeTarget != &from;
}

bool isStillClaimable(const Planet& planet) {
    return planet.owner != Side::Computer ||
           developmentState(planet) == DevelopmentState::Contested;
}

} // namespace

void openComputerTradeRoute(Planet& planet) {
    if (!needsComputerRoute(planet)) {
        return;
    }
    // Every qualifying planet within reach replaces the one before, so the
    // route ends at the last of them in list order.
    for (const auto& candidate : galaxy().planets) {
        if (!qualifiesAsRouteTarget(planet, *candidate)) {
            continue;
        }
        const int length = routeLength(planet, *candidate);
        if (length > kComputerRouteReach) {
            continue;
        }
        openComputerRouteTo(planet, *candidate, length);
    }
}

void openComputerRouteTo(Planet& planet, Planet& target, int length) {
    // A route the player opened before the computer took the planet leaves
    // the counts as it goes; computer routes are never counted.
    uncountRoute(planet);
    planet.routeTarget = &target;
    planet.routeLength = length;
    planet.rallyPoint = target.position;
    std::cout << "AI opened a new trade route\n";
    recordEvent(EventKind::TradeRouteOpened, planet.position, Side::Computer);
}

// A ship bumped by its own kind may have dropped its Destination and kept
// only the detour round the bump; it chooses again as an idle ship would, and
// flies its detour first.
void chooseComputerDestination(Ship& ship) {
    if (ship.isPlayer || hasDestination(ship)) {
        return;
    }
    const Planet* nearest = nullptr;
    float nearestDistance = kNoDestinationYet;
    for (const auto& planet : galaxy().planets) {
        if (!isStillClaimable(*planet)) {
            continue;
        }
        const float distance = glm::length(planet->position - ship.position);
        if (distance < nearestDistance) {
            nearest = planet.get();
            nearestDistance = distance;
        }
    }
    if (nearest != nullptr && nearest->position != ship.position) {
        appendWaypoint(ship, nearest->position, Waypoint::Destination);
    }
}
