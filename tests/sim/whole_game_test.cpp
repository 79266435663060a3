// Whole games without a picture, from a fixed seed at a fixed frame time,
// each played to its end.
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>

#include "sim/generation.h"
#include "sim/routes.h"
#include "sim/waypoints.h"
#include "tests/sim/sim_test_support.h"

namespace {

constexpr unsigned kSeed = 1234;
constexpr double kGameFrame = 1.0 / 30.0;
constexpr double kGameTimeLimit = 4.0 * 3600.0;

struct GameResult {
    std::string outcome = "unfinished";
    long steps = 0;
    std::size_t playerShips = 0;
    std::size_t computerShips = 0;
};

// The nearest planet to `from` that passes `wanted`, other than one at `from`.
template <typename Wanted> Planet* nearestPlanet(Vec3 from, Wanted wanted) {
    Planet* nearest = nullptr;
    for (const auto& planet : galaxy().planets) {
        const float distance = glm::length(planet->position - from);
        if (distance > 0.0f && wanted(*planet) &&
            (nearest == nullptr || distance < glm::length(nearest->position - from))) {
            nearest = planet.get();
        }
    }
    return nearest;
}

// Sends every idle ship to the nearest planet the player does not own and
// points every developed planet at its nearest developed own planet.
void scriptedPlayerOrders() {
    const auto notOwn = [](const Planet& p) { return p.owner != Side::Player; };
    const auto developedOwn = [](const Planet& p) {
        return p.owner == Side::Player && isEstablished(p);
    };
    for (const ShipRef& ship : galaxy().playerShips) {
        if (ship->waypoints.empty()) {
            if (const Planet* target = nearestPlanet(ship->position, notOwn))
                appendWaypoint(*ship, target->position, Waypoint::Destination);
        }
    }
    for (const auto& from : galaxy().planets) {
        if (!developedOwn(*from))
            continue;
        const Planet* to = nearestPlanet(from->position, developedOwn);
        if (to != nullptr && from->routeTarget != to) {
            from->selected = true;
            routePlanets(to->position);
            from->selected = false;
        }
    }
}

GameResult playGame(bool playerGivesOrders) {
    resetGalaxy();
    std::srand(kSeed);
    buildGalaxy();
    Galaxy& g = galaxy();
    GameResult result;
    const simtest::MutedConsole muted; // the computer announces its routes
    while (g.elapsedTime < kGameTimeLimit && !g.playerVictorious && !g.playerDefeated) {
        if (playerGivesOrders)
            scriptedPlayerOrders();
        g.frameDelta = kGameFrame;
        g.elapsedTime += kGameFrame;
        stepSimulation();
        ++result.steps;
    }
    if (g.playerVictorious || g.playerDefeated)
        result.outcome = g.playerVictorious ? "victory" : "defeat";
    result.playerShips = g.playerShips.size();
    result.computerShips = g.computerShips.size();
    return result;
}

// Left alone the player is overrun; taking the nearest planets and routing
// between them wins.
using WholeGameTest = simtest::SimTest;

TEST_F(WholeGameTest, IdlePlayerLosesAndScriptedPlayerWins) {
    for (const bool ordersGiven : {false, true}) {
        const GameResult game = playGame(ordersGiven);
        std::cout << (ordersGiven ? "scripted" : "idle") << " player: " << game.outcome << " after "
                  << game.steps * kGameFrame << " s of game time (ships " << game.playerShips
                  << " player, " << game.computerShips << " computer)\n";
        EXPECT_EQ(game.outcome, ordersGiven ? "victory" : "defeat");
        EXPECT_EQ(game.playerShips > game.computerShips, ordersGiven);
        EXPECT_EQ(std::max(game.playerShips, game.computerShips), kShipListLimit); // a side is full
    }
}

} // namespace
