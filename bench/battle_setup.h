// A dense battle for benchmarks and for checking the spatial index: ships of
// both sides mixed over a square that grows with their number, each side
// flying across to the far edge, one shot of every ship already in flight,
// and reloads spread as in a running battle, where each frame finds the
// share frame / reload time of the ships ready to fire. All placement comes
// from the game's random source.
#pragma once

#include <cmath>
#include <memory>

#include "sim/combat.h"
#include "sim/galaxy.h"
#include "sim/random.h"
#include "sim/waypoints.h"

namespace battle {

inline float unitDraw() {
    return static_cast<float>(randomDraw() % 10000) / 10000.0f;
}

// Spacing per ship of one side; both sides share the square.
constexpr float kSpacing = 1.6f;

inline void addFleet(bool isPlayer, int count, Vec3 centre, float side, double frame) {
    ShipList& ships = shipsOfSide(isPlayer);
    const float heading = isPlayer ? 1.0f : -1.0f;
    for (int i = 0; i < count; ++i) {
        const Vec3 position = centre + Vec3{(unitDraw() - 0.5f) * side, unitDraw() - 0.5f,
                                            (unitDraw() - 0.5f) * side};
        auto ship = std::make_shared<Ship>(isPlayer, position, 1.0f);
        appendWaypoint(*ship, Vec3{centre.x + heading * side, position.y, position.z},
                       Waypoint::Destination);
        ship->reloadTimer = (ship->reloadTime + frame) * unitDraw();
        ships.push_back(std::move(ship));
    }
}

// One shot per ship toward a random enemy, some way along its flight.
inline void addShotsInFlight() {
    Galaxy& g = galaxy();
    for (const ShipList* list : {&g.playerShips, &g.computerShips}) {
        const ShipList& enemies = list == &g.playerShips ? g.computerShips : g.playerShips;
        if (enemies.empty()) {
            continue;
        }
        for (const ShipRef& ship : *list) {
            const double reload = ship->reloadTimer;
            const Ship& enemy = *enemies[static_cast<std::size_t>(randomDraw()) % enemies.size()];
            fireLaser(*ship, enemy.position);
            LaserShot& laser = ship->lasers.back();
            const float flown = 20.0f * unitDraw();
            laser.position += laser.direction * flown;
            laser.travelled = flown;
            ship->reloadTimer = reload;
        }
    }
}

// Replaces both fleets of the galaxy with a battle of `perSide` ships a side,
// to be stepped with frames of the given length.
inline void setUp(int perSide, Vec3 centre, double frame) {
    Galaxy& g = galaxy();
    g.playerShips.clear();
    g.computerShips.clear();
    const float side = kSpacing * std::sqrt(static_cast<float>(perSide));
    addFleet(true, perSide, centre, side, frame);
    addFleet(false, perSide, centre, side, frame);
    addShotsInFlight();
}

} // namespace battle
