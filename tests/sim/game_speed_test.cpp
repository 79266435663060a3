// The game's speed: more steps of the frame's time, or shorter ones, never
// longer ones (whole games at other speeds: whole_game_test.cpp).
#include "sim/game_speed.h"
#include "tests/sim/sim_test_support.h"

namespace {

constexpr double kFrame = 1.0 / 30.0;

using GameSpeedTest = simtest::SimTest;

TEST_F(GameSpeedTest, FasterTakesMoreStepsSlowerShorterOnesNoneLongerThanTheFrame) {
    const struct {
        double speed;
        bool homes; // without them the first step ends the game, and the frame with it
        int steps;
        double length;
    } cases[] = {{0.5, true, 1, kFrame / 2},
                 {1.0, true, 1, kFrame},
                 {2.0, true, 2, kFrame},
                 {4.0, true, 4, kFrame},
                 {4.0, false, 1, kFrame}};
    for (const auto& c : cases) {
        resetGalaxy();
        galaxy().speed = c.speed;
        if (c.homes) {
            addPlanet({-40.0f, 0.0f, 0.0f}, 1.0f, Side::Player);
            addPlanet({40.0f, 0.0f, 0.0f}, 1.0f, Side::Computer);
            addShip(false, {40.0f, 5.0f, 40.0f});
        }
        addShip(true, {0.0f, 5.0f, 0.0f});
        galaxy().frameDelta = 0.0;
        advanceFrame(kFrame);
        EXPECT_EQ(galaxy().playerShips.front()->age, c.steps * c.length) << c.speed;
        EXPECT_EQ(galaxy().elapsedTime, c.steps * c.length) << c.speed;
        EXPECT_EQ(galaxy().frameDelta, kFrame) << c.speed << ": the camera keeps the frame's pace";
    }
}

} // namespace
