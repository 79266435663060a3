// The step as a whole: pause and the end of the game. That every ship is
// updated once a step, spawned ones included, the player bot checks.
#include "sim/waypoints.h"
#include "tests/sim/sim_test_support.h"

namespace {

using StepTest = simtest::SimTest;
constexpr double kFrame = simtest::kFrame;

TEST_F(StepTest, PauseFreezesEverything) {
    Planet& home = addPlanet(Vec3{0.0f}, 1.0f, Side::Player);
    home.spawnTimer = 1.9;
    Planet& contested = addPlanet(Vec3{20.0f, 0.0f, 0.0f});
    contested.playerClaim = 40.0;
    addShip(true, Vec3{21.5f, 0.0f, 0.0f});
    const ShipRef mover = addShip(true, Vec3{5.0f, 0.0f, 5.0f});
    appendWaypoint(*mover, Vec3{15.0f, 0.0f, 5.0f}, Waypoint::Destination);
    const ShipRef enemy = addShip(false, Vec3{10.0f, 0.0f, 10.0f});
    fireLaser(*enemy, mover->position);
    Galaxy& g = galaxy();
    g.playerDefeated = true;
    g.paused = true;
    step(0.5, 10);
    EXPECT_EQ(mover->position, Vec3(5.0f, 0.0f, 5.0f));
    EXPECT_EQ(enemy->lasers.front().position, Vec3(10.0f, 0.0f, 10.0f));
    EXPECT_EQ(contested.playerClaim, 40.0);
    EXPECT_EQ(home.spawnTimer, 1.9);
    EXPECT_TRUE(g.playerDefeated);

    g.paused = false;
    step(0.5);
    EXPECT_GT(contested.playerClaim, 40.0);
    EXPECT_FALSE(g.playerDefeated);
}

TEST_F(StepTest, EndOfGameIsJudgedPlanetByPlanet) {
    Planet& home = addPlanet(Vec3{0.0f}, 1.0f, Side::Player);
    addPlanet(Vec3{30.0f, 0.0f, 0.0f}, 1.0f, Side::Computer);
    const Galaxy& g = galaxy();
    // A computer without ships has lost, developed planets or not.
    step(kFrame);
    EXPECT_TRUE(g.playerVictorious);
    EXPECT_FALSE(g.playerDefeated);

    // A player holding only contested planets has lost, ships or not; the
    // computer's wreck still counts in the step that drops it.
    home.playerClaim = 98.9;
    addShip(true, Vec3{10.0f, 0.0f, 10.0f});
    addShip(false, Vec3{40.0f, 0.0f, 40.0f})->health = 0.0;
    step(kFrame);
    EXPECT_TRUE(g.playerDefeated);
    EXPECT_FALSE(g.playerVictorious);
    // Both flags at once; the program reports the victory.
    step(kFrame);
    EXPECT_TRUE(g.playerDefeated);
    EXPECT_TRUE(g.playerVictorious);
}

TEST_F(StepTest, ComputerWithoutDevelopedPlanetsLosesWhenNotOutnumberingThePlayer) {
    addPlanet(Vec3{0.0f}, 1.0f, Side::Player);
    addShip(false, Vec3{40.0f, 0.0f, 40.0f});
    addShip(false, Vec3{44.0f, 0.0f, 40.0f});
    addShip(true, Vec3{-40.0f, 0.0f, -40.0f});
    step(kFrame);
    EXPECT_FALSE(galaxy().playerVictorious);
    addShip(true, Vec3{-44.0f, 0.0f, -40.0f});
    step(kFrame);
    EXPECT_TRUE(galaxy().playerVictorious);
}

} // namespace
