// Whole games without a picture, from a fixed seed at a fixed frame time,
// each played to its end.
#include <cstdlib>
#include <iostream>
#include <limits>
#include <string>

#include "sim/generation.h"
#include "sim/routes.h"
#include "sim/waypoints.h"
#include "tests/sim/sim_test_support.h"

namespace {

using simtest::SimTest;

constexpr double kGameFrame = 1.0 / 30.0;
constexpr double kGameTimeLimit = 4.0 * 3600.0;

enum class Outcome { Victory, Defeat, Unfinished };

struct GameResult {
    Outcome outcome = Outcome::Unfinished;
    long steps = 0;
    double gameTime = 0.0;
    std::size_t playerShips = 0;
    std::size_t computerShips = 0;
};

const char* describe(Outcome outcome) {
    switch (outcome) {
    case Outcome::Victory:
        return "victory";
    case Outcome::Defeat:
        return "defeat";
    case Outcome::Unfinished:
        break;
    }
    return "unfinished";
}

// A player that sends every idle ship to the nearest planet it does not own
// and points every developed planet at its nearest developed own planet.
void playerOrders() {
    Galaxy& g = galaxy();
    for (const ShipRef& ship : g.playerShips) {
        if (!ship->waypoints.empty()) {
            continue;
        }
        const Planet* nearest = nullptr;
        float best = std::numeric_limits<float>::max();
        for (const auto& planet : g.planets) {
            const float distance = glm::length(planet->position - ship->position);
            if (planet->owner != Side::Player && distance < best) {
                nearest = planet.get();
                best = distance;
            }
        }
        if (nearest != nullptr) {
            appendWaypoint(*ship, nearest->position, Waypoint::Destination);
        }
    }
    for (const auto& from : g.planets) {
        if (from->owner != Side::Player || !isEstablished(*from)) {
            continue;
        }
        Planet* nearest = nullptr;
        float best = std::numeric_limits<float>::max();
        for (const auto& to : g.planets) {
            const float distance = glm::length(to->position - from->position);
            if (to != from && to->owner == Side::Player && isEstablished(*to) && distance < best) {
                nearest = to.get();
                best = distance;
            }
        }
        if (nearest != nullptr && from->routeTarget != nearest) {
            from->selected = true;
            routePlanets(nearest->position);
            from->selected = false;
        }
    }
}

GameResult playGame(unsigned seed, bool playerGivesOrders) {
    resetGalaxy();
    std::srand(seed);
    buildGalaxy();
    Galaxy& g = galaxy();
    GameResult result;
    const simtest::MutedConsole muted; // the computer announces its routes
    while (result.gameTime < kGameTimeLimit) {
        if (playerGivesOrders) {
            playerOrders();
        }
        g.frameDelta = kGameFrame;
        g.elapsedTime += kGameFrame;
        stepSimulation();
        ++result.steps;
        result.gameTime = g.elapsedTime;
        if (g.playerVictorious || g.playerDefeated) {
            result.outcome = g.playerVictorious ? Outcome::Victory : Outcome::Defeat;
            break;
        }
    }
    result.playerShips = g.playerShips.size();
    result.computerShips = g.computerShips.size();
    return result;
}

void report(const char* name, const GameResult& result) {
    std::cout << name << ": " << describe(result.outcome) << " after " << result.steps << " steps, "
              << result.gameTime << " s of game time (ships " << result.playerShips << " player, "
              << result.computerShips << " computer)\n";
}

class WholeGameTest : public SimTest {};

constexpr unsigned kSeed = 1234;

// Both games are played twice: the same seed must give the same outcome at
// the same step. The sanitizer build, many times slower, plays each once.
TEST_F(WholeGameTest, PlayerWhoNeverGivesAnOrderLoses) {
    const GameResult game = playGame(kSeed, false);
    report("idle player", game);
    RecordProperty("gameTime", std::to_string(game.gameTime));
    EXPECT_EQ(game.outcome, Outcome::Defeat);
    EXPECT_GT(game.computerShips, game.playerShips);
    if (simtest::kUnderSanitizers) {
        return;
    }
    const GameResult again = playGame(kSeed, false);
    EXPECT_EQ(again.outcome, game.outcome);
    EXPECT_EQ(again.steps, game.steps);
}

TEST_F(WholeGameTest, ScriptedPlayerPlaysToAnEnd) {
    const GameResult game = playGame(kSeed, true);
    report("scripted player", game);
    RecordProperty("gameTime", std::to_string(game.gameTime));
    EXPECT_NE(game.outcome, Outcome::Unfinished);
    if (simtest::kUnderSanitizers) {
        return;
    }
    const GameResult again = playGame(kSeed, true);
    EXPECT_EQ(again.outcome, game.outcome);
    EXPECT_EQ(again.steps, game.steps);
    EXPECT_EQ(again.playerShips, game.playerShips);
    EXPECT_EQ(again.computerShips, game.computerShips);
}

} // namespace
