#include "bench/balance_players.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "sim/galaxy.h"
#include "sim/routes.h"
#include "sim/waypoints.h"

namespace {

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

// The gather-then-attack player sends ships only in fleets: a party to take
// a planet nobody defends, enough to win where the computer's ships stand.
constexpr int kParty = 6;
constexpr double kOdds = 1.5;
constexpr float kNear = 6.0f;

// What the player knows of one planet this second.
struct Place {
    const Planet* planet;
    int defenders = 0; // computer ships at it
    int bound = 0;     // player ships at it or on their way
};

// A ship within the capture radius of a planet it does not yet hold firmly
// stays and claims.
bool isClaiming(const Ship& ship) {
    for (const auto& planet : galaxy().planets)
        if (glm::length(planet->position - ship.position) < galaxy().captureRadius &&
            !isPlayersFirmly(*planet))
            return true;
    return false;
}

std::vector<Place> survey() {
    std::vector<Place> places;
    for (const auto& planet : galaxy().planets)
        places.push_back({planet.get()});
    const auto count = [&places](Vec3 point, int Place::*field) {
        for (Place& place : places)
            if (glm::length(place.planet->position - point) < kNear)
                ++(place.*field);
    };
    for (const ShipRef& ship : galaxy().computerShips)
        count(ship->position, &Place::defenders);
    for (const ShipRef& ship : galaxy().playerShips)
        count(ship->waypoints.empty() ? ship->position : ship->waypoints.back().position,
              &Place::bound);
    return places;
}

// Ships a place needs from a fleet of `available`: enough to win where the
// computer stands (or none, if the fleet is too small), else a party.
int shipsNeeded(const Place& place, int available) {
    if (isPlayersFirmly(*place.planet) && place.defenders == 0)
        return 0;
    if (place.defenders == 0)
        return std::min(std::max(0, kParty - place.bound), available);
    const int need = int(std::ceil(kOdds * place.defenders)) + 1 - place.bound;
    return need <= available ? std::max(0, need) : 0;
}

// Defending its own planets first, then the nearest.
float cost(const Place& place, Vec3 from) {
    const bool threatened = place.planet->owner == Side::Player && place.defenders > 0;
    return glm::length(place.planet->position - from) - (threatened ? 30.0f : 0.0f);
}

// Each ship to a point of the planet's surface of its own, so that a fleet
// spreads over the near face instead of piling up outside the capture radius.
void orderAt(Ship& ship, const Planet& planet) {
    const Vec3 away = ship.position - planet.position;
    const Vec3 bearing = glm::length(away) > 0.0f ? glm::normalize(away) : Vec3{1.0f, 0.0f, 0.0f};
    const Vec3 across = glm::cross(bearing, Vec3{0.0f, 1.0f, 0.0f});
    const float turn = 0.2f * float(ship.id % 7 - 3);
    order(ship, planet.position + glm::normalize(bearing + across * turn) * planet.radius);
}

// The player planet nearest the computer's planets, where fleets gather.
const Planet* frontPlanet() {
    const Planet* front = nullptr;
    float best = 1e10f;
    for (const auto& planet : galaxy().planets) {
        if (planet->owner != Side::Player)
            continue;
        const Planet* enemy =
            nearest(planet->position, [](const Planet& p) { return p.owner == Side::Computer; });
        const float distance =
            enemy != nullptr ? glm::length(enemy->position - planet->position) : 0.0f;
        if (distance < best) {
            front = planet.get();
            best = distance;
        }
    }
    return front;
}

// Gathers the idle ships by the planet they stand at; each gathering sends
// fleets to the cheapest places it has the ships for, and what is left flies
// to the front and waits there for more.
void gatherAndAttack() {
    std::vector<Place> places = survey();
    std::vector<std::pair<const Planet*, std::vector<Ship*>>> gatherings;
    for (const ShipRef& ship : galaxy().playerShips) {
        if (!ship->waypoints.empty() || isClaiming(*ship))
            continue;
        const Planet* station = nearest(ship->position, [](const Planet&) { return true; });
        auto it = std::find_if(gatherings.begin(), gatherings.end(),
                               [station](const auto& g) { return g.first == station; });
        if (it == gatherings.end())
            it = gatherings.insert(gatherings.end(), {station, {}});
        it->second.push_back(ship.get());
    }
    const Planet* front = frontPlanet();
    for (auto& [station, ships] : gatherings) {
        while (!ships.empty()) {
            Place* best = nullptr;
            int bestNeed = 0;
            for (Place& place : places) {
                const int need = shipsNeeded(place, int(ships.size()));
                if (need > 0 && (best == nullptr ||
                                 cost(place, station->position) < cost(*best, station->position))) {
                    best = &place;
                    bestNeed = need;
                }
            }
            if (best == nullptr)
                break;
            for (int i = 0; i < bestNeed; ++i) {
                orderAt(*ships.back(), *best->planet);
                ships.pop_back();
            }
            best->bound += bestNeed;
        }
        if (front != nullptr && station != front)
            for (Ship* ship : ships)
                orderAt(*ship, *front);
    }
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
