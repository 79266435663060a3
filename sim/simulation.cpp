#include "sim/simulation.h"

#include "sim/capture.h"
#include "sim/combat.h"
#include "sim/movement.h"
#include "sim/opponent_levels.h"
#include "sim/production.h"
#include "sim/spatial_index.h"

namespace {

// Judged after each planet's update, with the ship lists as they stand then.
void judgeEndOfGame(const Planet& planet) {
    Galaxy& g = galaxy();
    const bool established = isEstablished(planet);
    if (planet.owner == Side::Player && established) {
        g.playerDefeated = false;
    }
    const bool computerHoldsOut =
        planet.owner == Side::Computer && established && !g.computerShips.empty();
    if (computerHoldsOut || g.computerShips.size() > g.playerShips.size()) {
        g.playerVictorious = false;
    }
}

void updatePlanets() {
    Galaxy& g = galaxy();
    g.playerDefeated = true;
    g.playerVictorious = true;
    for (const auto& planet : g.planets) {
        updatePlanet(*planet);
        judgeEndOfGame(*planet);
    }
}

// Every ship of the list is updated once, ships spawned during the walk
// included (they are appended to the list being walked, so the walk goes by
// index). A ship destroyed before its turn gets this last update and is left
// out of the new list.
void updateShipList(bool playerSide) {
    beginIndexedWalk(galaxy().frameDelta);
    ShipList& ships = shipsOfSide(playerSide);
    ShipList survivors;
    survivors.reserve(ships.size());
    for (std::size_t i = 0; i < ships.size(); ++i) {
        const ShipRef ship = ships[i];
        if (ship->health > 0.0) {
            survivors.push_back(ship);
        }
        updateShip(*ship);
    }
    endIndexedWalk();
    ships = std::move(survivors);
}

void updateMoveState(Ship& ship) {
    ship.moveState = ship.waypoints.empty() ? MoveState::Idle : MoveState::Moving;
}

void updateReload(Ship& ship) {
    if (ship.reloadTimer < ship.reloadTime) {
        ship.reloadTimer += galaxy().frameDelta;
    } else {
        acquireTargetAndFire(ship, targetedFireKey());
    }
}

} // namespace

void stepSimulation() {
    if (galaxy().paused) {
        return;
    }
    planComputerSide();
    updatePlanets();
    updateShipList(true);
    updateShipList(false);
}

void updateShip(Ship& ship) {
    orderComputerShip(ship);
    updateMoveState(ship);
    if (ship.moveState == MoveState::Moving) {
        followWaypoints(ship);
    }
    claimNearbyPlanets(ship);
    ship.age += galaxy().frameDelta;
    updateReload(ship);
    updateLasers(ship);
}

void destroyGalaxy() {
    resetGalaxy();
}
