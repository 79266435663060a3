// A whole game without a picture, from a fixed seed at a fixed frame time,
// played to its end by a player who gives no orders; at other speeds the
// same game with its frames scaled.
#include <cstdlib>
#include <sstream>

#include <glm/gtx/string_cast.hpp>

#include "sim/game_speed.h"
#include "sim/generation.h"
#include "sim/opponent_choice.h"
#include "tests/sim/sim_test_support.h"

namespace {

constexpr unsigned kSeed = 1234;
constexpr double kGameFrame = 1.0 / 30.0;
constexpr double kGameTimeLimit = 4.0 * 3600.0;

// Plays the seeded game to its end in frames of the given time at the given
// speed; returns its clock, outcome and every computer ship's place.
std::string playToTheEnd(double speed, double frame) {
    resetGalaxy();
    std::srand(kSeed);
    buildGalaxy();
    Galaxy& g = galaxy();
    g.speed = speed;
    const simtest::MutedConsole muted; // the computer announces its routes
    while (g.elapsedTime < kGameTimeLimit && !g.playerVictorious && !g.playerDefeated)
        advanceFrame(frame);
    std::ostringstream out;
    out << g.elapsedTime << " s, " << g.playerShips.size() << " v " << g.computerShips.size();
    for (const ShipRef& ship : g.computerShips)
        out << glm::to_string(ship->position);
    return out.str();
}

// Left alone the player loses every planet, and to the standard opponent
// every ship, in each opponent's recorded game; the standard one, the
// default, is played after the others, which leave nothing behind. Four times
// as fast, or at half speed with twice the frame time, it is the same game.
using WholeGameTest = simtest::SimTest;

TEST_F(WholeGameTest, IdlePlayerIsOverrunAtEverySpeed) {
    const std::pair<OpponentLevel, const char*> recorded[] = {
        {OpponentLevel::Easy, "248.467 s, 0 v 228"},
        {OpponentLevel::Hard, "98.7 s, 7 v 30"},
        {OpponentLevel::Ruthless, "108.667 s, 5 v 29"},
        {OpponentLevel::Standard, "172.4 s, 0 v 139"}};
    std::string normal;
    for (const auto& [level, end] : recorded) {
        chosenOpponent() = level;
        normal = playToTheEnd(1.0, kGameFrame);
        EXPECT_EQ(normal.substr(0, normal.find("vec3")), end);
        EXPECT_TRUE(galaxy().playerDefeated && !galaxy().playerVictorious) << end;
    }
    EXPECT_EQ(playToTheEnd(4.0, kGameFrame), normal);
    EXPECT_EQ(playToTheEnd(0.5, 2.0 * kGameFrame), normal);
}

} // namespace
