#include "sim/opponent_levels.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "math/degrees.h"
#include "sim/opponent.h"
#include "sim/opponent_choice.h"
#include "sim/routes.h"
#include "sim/waypoints.h"

namespace {

// Easy: a ship that has taken its planet waits for the next of these.
constexpr double kEasyDepartureSeconds = 5.0;
// Hard and Ruthless look at the galaxy once a second.
constexpr double kPlanSeconds = 1.0;
// Ships within this of a planet's centre count as at it.
constexpr float kNearPlanet = 6.0f;

struct Temper {
    int gathering;     // ships gathered before an attack on a player planet
    int claimParty;    // the most ships sent to take a planet nobody defends
    double odds;       // own ships sent for each defender
    bool payingRoutes; // routes only where they deliver more than the planet makes
};

Temper temperOf(OpponentLevel level) {
    return level == OpponentLevel::Ruthless ? Temper{10, 1000, 2.0, true}
                                            : Temper{6, 8, 1.5, false};
}

bool plans(OpponentLevel level) {
    return level == OpponentLevel::Hard || level == OpponentLevel::Ruthless;
}

// Whether a step ending now crossed a whole multiple of `period`.
bool isTick(double period) {
    const Galaxy& g = galaxy();
    return std::floor(g.elapsedTime / period) !=
           std::floor((g.elapsedTime - g.frameDelta) / period);
}

bool isFirmlyComputers(const Planet& planet) {
    return planet.owner == Side::Computer &&
           developmentState(planet) != DevelopmentState::Contested;
}

const Planet* nearestClaimable(Vec3 from) {
    const Planet* nearest = nullptr;
    float best = 1e10f;
    for (const auto& planet : galaxy().planets) {
        const float distance = glm::length(planet->position - from);
        if (!isFirmlyComputers(*planet) && distance < best) {
            nearest = planet.get();
            best = distance;
        }
    }
    return nearest;
}

// A ship standing at a planet it is still claiming keeps claiming it.
bool isClaimingAt(const Ship& ship, const Planet& planet) {
    return glm::length(planet.position - ship.position) <
           galaxy().captureRadius + planet.radius + ship.radius;
}

void sendTo(Ship& ship, Vec3 point) {
    if (point != ship.position) {
        appendWaypoint(ship, point, Waypoint::Destination);
    }
}

// A ship stops where it first touches a planet, and only ships within the
// capture radius of the centre claim it: a fleet flown at the centre piles up
// on its near side, and round a large planet most of it waits just outside.
// Each ship is sent instead at a point of the planet's surface of its own,
// turned from its bearing by its id, so that a fleet spreads over the face,
// and by the second, so that one that found its point taken tries another.
Vec3 claimPoint(const Ship& ship, const Planet& planet) {
    const Vec3 up{0.0f, 1.0f, 0.0f};
    const Vec3 away = ship.position - planet.position;
    const Vec3 bearing = glm::length(away) > 0.0f ? glm::normalize(away) : Vec3{1.0f, 0.0f, 0.0f};
    const Vec3 across = glm::cross(bearing, up);
    const Vec3 tiltAxis = glm::length(across) > 1e-3f ? across : Vec3{1.0f, 0.0f, 0.0f};
    const int turn = ship.id + static_cast<int>(galaxy().elapsedTime);
    const float yaw = static_cast<float>(turn * 47 % 121 - 60);
    const float pitch = static_cast<float>(turn * 29 % 81 - 40);
    const Mat4 rotation =
        rotateDegrees(Mat4{1.0f}, yaw, up) * rotateDegrees(Mat4{1.0f}, pitch, tiltAxis);
    return planet.position + Vec3{rotation * Vec4{bearing, 0.0f}} * planet.radius;
}

// The point of the planet's surface straight below a ship standing at it.
Vec3 pointBelow(const Ship& ship, const Planet& planet) {
    const Vec3 away = ship.position - planet.position;
    return glm::length(away) > 0.0f ? planet.position + glm::normalize(away) * planet.radius
                                    : planet.position;
}

void orderEasyShip(Ship& ship) {
    const Planet* target = nearestClaimable(ship.position);
    if (target != nullptr && (isClaimingAt(ship, *target) || isTick(kEasyDepartureSeconds))) {
        sendTo(ship, target->position);
    }
}

// What the planner knows of one planet this second.
struct Front {
    Planet* planet;
    int defenders = 0; // player ships at it
    int bound = 0;     // computer ships at it or on their way
};

const Planet* nearestPlanet(Vec3 from) {
    const Planet* nearest = nullptr;
    float best = 1e10f;
    for (const auto& planet : galaxy().planets) {
        const float distance = glm::length(planet->position - from);
        if (distance < best) {
            nearest = planet.get();
            best = distance;
        }
    }
    return nearest;
}

// The planet a destination was set at: its centre or a point of its surface.
const Planet* planetAt(Vec3 point) {
    const Planet* planet = nearestPlanet(point);
    return planet != nullptr && glm::length(planet->position - point) <= planet->radius * 1.001f
               ? planet
               : nullptr;
}

const Waypoint* firstDestination(const Ship& ship) {
    for (const Waypoint& w : ship.waypoints) {
        if (w.kind == Waypoint::Destination) {
            return &w;
        }
    }
    return nullptr;
}

std::vector<Front> surveyFronts() {
    std::vector<Front> fronts;
    for (const auto& planet : galaxy().planets) {
        fronts.push_back({planet.get()});
    }
    const auto count = [&fronts](Vec3 point, int Front::*field) {
        for (Front& front : fronts) {
            if (glm::length(front.planet->position - point) < kNearPlanet) {
                ++(front.*field);
            }
        }
    };
    for (const ShipRef& ship : galaxy().playerShips) {
        count(ship->position, &Front::defenders);
    }
    for (const ShipRef& ship : galaxy().computerShips) {
        const Waypoint* destination = firstDestination(*ship);
        count(destination != nullptr ? destination->position : ship->position, &Front::bound);
    }
    return fronts;
}

// A computer ship is free for the plan when it has no Destination or its
// Destination is a planet the computer already holds firmly; a ship taking a
// planet, within the capture radius of its centre, stays at it till it is
// taken.
bool isFree(const Ship& ship) {
    const Planet* at = nearestPlanet(ship.position);
    if (at != nullptr && !isFirmlyComputers(*at) &&
        glm::length(at->position - ship.position) < galaxy().captureRadius) {
        return false;
    }
    const Waypoint* destination = firstDestination(ship);
    if (destination == nullptr) {
        return true;
    }
    const Planet* planet = planetAt(destination->position);
    return planet != nullptr && isFirmlyComputers(*planet) && !isClaimingAt(ship, *planet);
}

// Ships a planet needs sent to it: enough to win at the level's odds, a
// gathered fleet for a planet the player holds, a small party for the rest.
// Only a fight waits for the whole number; a party goes with what there is.
int shipsNeeded(const Front& front, const Temper& temper, int available) {
    const Planet& planet = *front.planet;
    const int toWin =
        front.defenders > 0 ? static_cast<int>(std::ceil(temper.odds * front.defenders)) + 1 : 0;
    const bool fight = planet.owner == Side::Player || toWin > 0;
    const int wanted =
        std::max(toWin, planet.owner == Side::Player ? temper.gathering : temper.claimParty);
    const int need = std::max(0, wanted - front.bound);
    if (fight) {
        return need <= available ? need : 0;
    }
    return std::min(need, available);
}

// How much the planner wants a planet: its own planets whose claims fall
// first, then the nearest, the player's weakly defended ones before others.
float targetCost(const Front& front, Vec3 from) {
    const Planet& planet = *front.planet;
    const float distance = glm::length(planet.position - from);
    const bool losing = planet.owner == Side::Computer && planet.playerClaim > 0.0;
    return distance + 4.0f * static_cast<float>(front.defenders) - (losing ? 40.0f : 0.0f);
}

void dropDestinations(Ship& ship) {
    ship.waypoints.erase(
        std::remove_if(ship.waypoints.begin(), ship.waypoints.end(),
                       [](const Waypoint& w) { return w.kind == Waypoint::Destination; }),
        ship.waypoints.end());
}

// The free ships at one place, nearest planet first.
struct Gathering {
    const Planet* station;
    std::vector<Ship*> ships;
};

std::vector<Gathering> gatherFreeShips() {
    std::vector<Gathering> gatherings;
    for (const ShipRef& ship : galaxy().computerShips) {
        if (!isFree(*ship)) {
            continue;
        }
        const Planet* station = nearestPlanet(ship->position);
        auto it = std::find_if(gatherings.begin(), gatherings.end(),
                               [station](const Gathering& g) { return g.station == station; });
        if (it == gatherings.end()) {
            gatherings.push_back({station, {}});
            it = gatherings.end() - 1;
        }
        it->ships.push_back(ship.get());
    }
    return gatherings;
}

// The last `count` of the ships leave the list for the front's planet.
void sendLast(std::vector<Ship*>& ships, Front& front, int count) {
    for (int i = 0; i < count; ++i) {
        Ship& ship = *ships.back();
        ships.pop_back();
        dropDestinations(ship);
        sendTo(ship, claimPoint(ship, *front.planet));
    }
    front.bound += count;
}

// Each gathering sends ships to the cheapest planet it has the ships for;
// one that has too few for any waits there and grows.
void dispatch(Gathering& gathering, std::vector<Front>& fronts, const Temper& temper) {
    while (!gathering.ships.empty()) {
        Front* best = nullptr;
        float bestCost = 1e10f;
        int bestNeed = 0;
        for (Front& front : fronts) {
            if (isFirmlyComputers(*front.planet) && front.defenders == 0) {
                continue;
            }
            const int need = shipsNeeded(front, temper, static_cast<int>(gathering.ships.size()));
            const float cost = targetCost(front, gathering.station->position);
            if (need > 0 && cost < bestCost) {
                best = &front;
                bestCost = cost;
                bestNeed = need;
            }
        }
        if (best == nullptr) {
            return;
        }
        sendLast(gathering.ships, *best, bestNeed);
    }
}

float distanceToPlayer(const Planet& planet);

// The computer planet nearest the player's planets, where fleets gather.
const Planet* gatheringPlace() {
    const Planet* best = nullptr;
    float bestDistance = 1e10f;
    for (const auto& planet : galaxy().planets) {
        const float distance = distanceToPlayer(*planet);
        if (planet->owner == Side::Computer && distance < bestDistance) {
            best = planet.get();
            bestDistance = distance;
        }
    }
    return best;
}

// Ships that found nothing to do away from the gathering place fly there.
void gatherAtTheFront(const Gathering& gathering, const Planet* place) {
    if (place == nullptr || gathering.station == place) {
        return;
    }
    for (Ship* ship : gathering.ships) {
        const Waypoint* destination = firstDestination(*ship);
        if (destination == nullptr || planetAt(destination->position) != place) {
            dropDestinations(*ship);
            sendTo(*ship, claimPoint(*ship, *place));
        }
    }
}

// Once one side holds twice the other's ships the game is all but decided. A
// computer that far ahead finishes it instead of spreading further; one that
// far behind cannot catch up by spreading, as the player's counted routes
// outproduce its own, and throws its ships at the player's planets, where
// that production is, while it still has a fleet to throw: it turns the game
// or ends it. Short of a fleet (an opening's first captures) it claims on.
bool isLopsided(const Temper& temper) {
    const Galaxy& g = galaxy();
    const std::size_t computer = g.computerShips.size();
    const std::size_t player = g.playerShips.size();
    return computer >= 2 * std::max<std::size_t>(player, 1) ||
           (player >= 2 * std::max<std::size_t>(computer, 1) &&
            computer >= static_cast<std::size_t>(temper.gathering));
}

void sendNearest(std::vector<Ship*>& ships, Front& front, int count) {
    const Vec3 target = front.planet->position;
    const auto farther = [target](const Ship* a, const Ship* b) {
        return glm::length(a->position - target) > glm::length(b->position - target);
    };
    std::sort(ships.begin(), ships.end(), farther);
    sendLast(ships, front, count);
}

// Lopsided, the free ships from everywhere go for the player's planets, the
// cheapest first, each sent enough to win from the nearest ships; what is
// left over joins the first of them. No new planets are claimed meanwhile.
void press(std::vector<Front>& fronts, std::vector<Ship*> free, const Temper& temper,
           const Planet* place) {
    std::vector<Front*> fights;
    for (Front& front : fronts) {
        if (front.planet->owner == Side::Player || front.defenders > 0) {
            fights.push_back(&front);
        }
    }
    const Vec3 from = place != nullptr ? place->position : Vec3{0.0f};
    std::sort(fights.begin(), fights.end(), [from](const Front* a, const Front* b) {
        return targetCost(*a, from) < targetCost(*b, from);
    });
    Front* first = nullptr;
    for (Front* front : fights) {
        const int need = shipsNeeded(*front, temper, static_cast<int>(free.size()));
        if (need > 0 || front->bound > 0) {
            first = first != nullptr ? first : front;
        }
        if (need > 0) {
            sendNearest(free, *front, need);
        }
    }
    if (first != nullptr) {
        sendNearest(free, *first, static_cast<int>(free.size()));
    }
    for (Ship* ship : free) {
        gatherAtTheFront({nearestPlanet(ship->position), {ship}}, place);
    }
}

void planAttacks(const Temper& temper) {
    std::vector<Front> fronts = surveyFronts();
    std::vector<Gathering> gatherings = gatherFreeShips();
    const Planet* place = gatheringPlace();
    if (isLopsided(temper)) {
        std::vector<Ship*> free;
        for (const Gathering& gathering : gatherings) {
            free.insert(free.end(), gathering.ships.begin(), gathering.ships.end());
        }
        press(fronts, std::move(free), temper, place);
        return;
    }
    for (Gathering& gathering : gatherings) {
        dispatch(gathering, fronts, temper);
        gatherAtTheFront(gathering, place);
    }
}

float distanceToPlayer(const Planet& planet) {
    float best = 1e10f;
    for (const auto& other : galaxy().planets) {
        if (other->owner == Side::Player) {
            best = std::min(best, glm::length(other->position - planet.position));
        }
    }
    return best;
}

// A computer route is never counted: a delivery is one ship at the target and
// none at home, so a route pays only when it delivers more often than the
// planet's own production (a ship each 15 s), that is up to 6 units long
// (a tick of 2 s a unit, and one more).
constexpr int kPayingRouteLength = 6;

// A developed computer planet routes to the developed computer planet that
// its shortest paying route reaches, and to none when no route pays.
void openPayingRoute(Planet& planet) {
    if (planet.owner != Side::Computer || !isEstablished(planet)) {
        return;
    }
    Planet* best = nullptr;
    int bestLength = kPayingRouteLength + 1;
    for (const auto& candidate : galaxy().planets) {
        if (candidate.get() == &planet || candidate->owner != Side::Computer ||
            !isEstablished(*candidate) || candidate->routeTarget == &planet) {
            continue;
        }
        const int length = routeLength(planet, *candidate);
        if (length < bestLength) {
            best = candidate.get();
            bestLength = length;
        }
    }
    const bool keeps = planet.hasRoute() && planet.routeTarget->owner == Side::Computer &&
                       planet.routeLength <= kPayingRouteLength &&
                       (best == nullptr || planet.routeLength <= bestLength);
    if (keeps || (best == nullptr && !planet.hasRoute())) {
        return;
    }
    if (best != nullptr) {
        openComputerRouteTo(planet, *best, bestLength);
        return;
    }
    uncountRoute(planet);
    planet.routeTarget = &planet;
    planet.routeLength = 0;
    planet.rallyPoint = planet.position;
}

} // namespace

void planComputerSide() {
    const OpponentLevel level = chosenOpponent();
    if (plans(level) && isTick(kPlanSeconds)) {
        planAttacks(temperOf(level));
    }
}

void orderComputerPlanet(Planet& planet) {
    if (plans(chosenOpponent()) && temperOf(chosenOpponent()).payingRoutes) {
        openPayingRoute(planet);
    } else {
        openComputerTradeRoute(planet);
    }
}

void orderComputerShip(Ship& ship) {
    if (ship.isPlayer || hasDestination(ship)) {
        return;
    }
    switch (chosenOpponent()) {
    case OpponentLevel::Standard:
        chooseComputerDestination(ship);
        return;
    case OpponentLevel::Easy:
        orderEasyShip(ship);
        return;
    case OpponentLevel::Hard:
    case OpponentLevel::Ruthless:
        // Between plans a ship keeps claiming where it stands.
        if (const Planet* target = nearestClaimable(ship.position);
            target != nullptr && isClaimingAt(ship, *target)) {
            sendTo(ship, pointBelow(ship, *target));
        }
        return;
    }
}
