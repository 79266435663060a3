// A whole game without a picture, from a fixed seed at a fixed frame time,
// played to its end by a player who gives no orders.
#include <cstdlib>

#include "sim/generation.h"
#include "tests/sim/sim_test_support.h"

namespace {

constexpr unsigned kSeed = 1234;
constexpr double kGameFrame = 1.0 / 30.0;
constexpr double kGameTimeLimit = 4.0 * 3600.0;

// Left alone the player is overrun by a computer that fills its side.
using WholeGameTest = simtest::SimTest;

TEST_F(WholeGameTest, IdlePlayerLosesToAFullComputerSide) {
    std::srand(kSeed);
    buildGalaxy();
    Galaxy& g = galaxy();
    const simtest::MutedConsole muted; // the computer announces its routes
    while (g.elapsedTime < kGameTimeLimit && !g.playerVictorious && !g.playerDefeated)
        step(kGameFrame);
    EXPECT_TRUE(g.playerDefeated && !g.playerVictorious) << g.elapsedTime << " s";
    EXPECT_EQ(g.computerShips.size(), kShipListLimit) << g.playerShips.size() << " player ships";
}

} // namespace
