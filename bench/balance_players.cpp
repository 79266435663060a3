#include "bench/balance_players.h"

#include <algorithm>
#include <vector>

#include "sim/galaxy.h"
#include "sim/routes.h"
#include "sim/waypoints.h"

namespace {

// The gather-then-attack player's fleet size before it strikes.
constexpr std::size_t kStrikeFleet = 16;

bool isPlayersFirmly(const Planet& planet) {
    return planet.owner == Side::Player && isEstablished(planet);
}

// The move order: the ship's waypoints replaced by one Destination.
void order(Ship& ship, Vec3 point) {
    ship.waypoints.clear();
    appendWaypoint(ship, point, Waypoint::Destination);
}

template <typename Wanted> const Planet* nearest(Vec3 from, Wanted wanted) {
    const Planet* best = nullptr;
    float bestDistance = 1e10f;
    for (const auto& planet : galaxy().planets) {
        const float distance = glm::length(planet->position - from);
        if (wanted(*planet) && distance < bestDistance) {
            best = planet.get();
            bestDistance = distance;
        }
    }
    return best;
}

bool stillToClaim(const Planet& planet) {
    return planet.owner != Side::Player || developmentState(planet) == DevelopmentState::Contested;
}

// Each idle ship to the nearest planet it can still claim (the computer's
// own rule for its ships).
void expand() {
    for (const ShipRef& ship : galaxy().playerShips) {
        if (!ship->waypoints.empty())
            continue;
        if (const Planet* target = nearest(ship->position, stillToClaim))
            order(*ship, target->position);
    }
}

// Each developed planet without a route routes to the nearest other
// developed planet of the player that does not route to it.
void openRoutes() {
    for (const auto& planet : galaxy().planets) {
        if (!isPlayersFirmly(*planet) || planet->hasRoute())
            continue;
        const Planet* from = planet.get();
        const Planet* target = nearest(planet->position, [from](const Planet& p) {
            return &p != from && isPlayersFirmly(p) && p.routeTarget != from;
        });
        if (target == nullptr)
            continue;
        planet->selected = true;
        routePlanets(target->position);
        planet->selected = false;
    }
}

// A gathered fleet strikes the computer's planets nearest `front`, a strike
// fleet to each, the nearest first; a fleet too small for one waits.
void strike(const std::vector<Ship*>& fleet, Vec3 front) {
    std::vector<const Planet*> targets;
    for (const auto& planet : galaxy().planets)
        if (planet->owner == Side::Computer)
            targets.push_back(planet.get());
    std::sort(targets.begin(), targets.end(), [front](const Planet* a, const Planet* b) {
        return glm::length(a->position - front) < glm::length(b->position - front);
    });
    const std::size_t strikes = std::min(targets.size(), fleet.size() / kStrikeFleet);
    for (std::size_t i = 0; strikes > 0 && i < fleet.size(); ++i)
        order(*fleet[i], targets[std::min(i / kStrikeFleet, strikes - 1)]->position);
}

// Expands to planets nobody holds, gathers the other idle ships at its
// planet nearest the computer, and strikes the computer's nearest planet
// with the whole fleet once it is large enough.
void gatherAndAttack() {
    Galaxy& g = galaxy();
    const auto computers = [](const Planet& p) { return p.owner == Side::Computer; };
    const auto free = [](const Planet& p) {
        return p.owner == Side::Neutral || developmentState(p) == DevelopmentState::Contested;
    };
    const Planet* front = nullptr;
    float frontDistance = 1e10f;
    for (const auto& planet : g.planets) {
        if (planet->owner != Side::Player)
            continue;
        const Planet* enemy = nearest(planet->position, computers);
        const float distance =
            enemy != nullptr ? glm::length(enemy->position - planet->position) : 0.0f;
        if (distance < frontDistance) {
            front = planet.get();
            frontDistance = distance;
        }
    }
    // Twice the computer's ships and it no longer gathers: every idle ship
    // goes for the computer planet nearest it.
    const bool ahead = g.playerShips.size() >= 2 * std::max<std::size_t>(g.computerShips.size(), 1);
    std::vector<Ship*> fleet;
    for (const ShipRef& ship : g.playerShips) {
        if (!ship->waypoints.empty())
            continue;
        const Planet* open = nearest(ship->position, free);
        const Planet* enemy = nearest(ship->position, computers);
        if (open != nullptr && glm::length(open->position - ship->position) < 12.0f) {
            order(*ship, open->position);
        } else if (ahead && enemy != nullptr) {
            order(*ship, enemy->position);
        } else if (front != nullptr && glm::length(front->position - ship->position) > 4.0f) {
            order(*ship, front->position);
        } else {
            fleet.push_back(ship.get());
        }
    }
    if (front == nullptr || nearest(front->position, computers) == nullptr) {
        expand();
        return;
    }
    strike(fleet, front->position);
}

} // namespace

std::string playerStrategyName(int strategy) {
    static const char* const kNames[kPlayerStrategies] = {"idle", "greedy", "greedy+routes",
                                                          "gather+attack"};
    return kNames[strategy];
}

void orderPlayerShips(int strategy) {
    switch (strategy) {
    case 1:
        expand();
        break;
    case 2:
        expand();
        openRoutes();
        break;
    case 3:
        gatherAndAttack();
        openRoutes();
        break;
    default:
        break;
    }
}
