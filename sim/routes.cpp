#include "sim/routes.h"

#include <cmath>

#include "sim/events.h"

namespace {

// A click this close to a planet's surface means that planet.
constexpr float kPlanetClickMargin = 0.5f;

Planet* planetAt(Vec3 point) {
    for (const auto& planet : galaxy().planets) {
        if (glm::length(planet->position - point) < planet->radius + kPlanetClickMargin) {
            return planet.get();
        }
    }
    return nullptr;
}

void openPlayerRoute(Planet& from, Planet& to) {
    from.routeTarget = &to;
    from.routeLength = routeLength(from, to);
    if (&to != &from) {
        from.outgoingRoutes += 1;
        to.incomingRoutes += 1;
        recordEvent(EventKind::TradeRouteOpened, from.position, Side::Player);
    }
}

} // namespace

int routeLength(const Planet& from, const Planet& to) {
    return static_cast<int>(
        std::floor(glm::length(to.position - from.position) - from.radius - to.radius));
}

void uncountRoute(Planet& planet) {
    // Only a route the player opened was counted; a planet can also carry a
    // route the computer opened while it owned it, which never was.
    if (planet.hasRoute() && planet.outgoingRoutes > 0) {
        planet.routeTarget->incomingRoutes -= 1;
        planet.outgoingRoutes -= 1;
    }
}

void routePlanets(Vec3 point) {
    Planet* const target = planetAt(point);
    if (target != nullptr) {
        point = target->position;
    }
    for (const auto& planet : galaxy().planets) {
        if (!planet->selected || planet->owner != Side::Player) {
            continue;
        }
        planet->rallyPoint = point;
        uncountRoute(*planet);
        if (target != nullptr) {
            openPlayerRoute(*planet, *target);
        } else {
            planet->routeTarget = planet.get();
            planet->productionProgress = 0;
        }
    }
}
