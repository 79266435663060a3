// Claiming planets by standing near them, and taking them over.
#include "sim/capture.h"
#include "tests/sim/sim_test_support.h"

namespace {

using simtest::SimTest;

class CaptureTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        scriptDraws({}); // blocked spawn points turn by a fixed angle
    }
    // Runs until the planet changes hands; returns the game time it took.
    static double timeToCapture(Planet& planet, Side side, double dt, double limit) {
        double elapsed = 0.0;
        while (planet.owner != side && elapsed < limit) {
            step(dt);
            elapsed += dt;
        }
        return elapsed;
    }
};

TEST_F(CaptureTest, LoneShipTakesANeutralPlanetIn100SecondsAndTwoShipsArrive) {
    Planet& planet = addPlanet(Vec3{0.0f}, 0.8f);
    addShip(true, Vec3{1.6f, 0.0f, 0.0f});

    EXPECT_NEAR(timeToCapture(planet, Side::Player, 0.125, 200.0), 100.0, 1e-9);
    EXPECT_EQ(planet.playerClaim, 100.0);
    EXPECT_EQ(galaxy().playerShips.size(), 3u);
    // The spawn timer got the capture credit of 6 s per unit of radius, so
    // anything queued would leave at once.
    EXPECT_EQ(planet.spawnTimer, 6.0 * planet.radius);
}

TEST_F(CaptureTest, TwoShipsTakeItInHalfTheTime) {
    Planet& planet = addPlanet(Vec3{0.0f}, 0.8f);
    addShip(true, Vec3{1.6f, 0.0f, 0.0f});
    addShip(true, Vec3{-1.6f, 0.0f, 0.0f});
    EXPECT_NEAR(timeToCapture(planet, Side::Player, 0.125, 200.0), 50.0, 1e-9);
    EXPECT_EQ(galaxy().playerShips.size(), 4u);
}

TEST_F(CaptureTest, OnlyShipsWithinTheClaimRadiusClaim) {
    Planet& planet = addPlanet(Vec3{0.0f}, 0.8f);
    addShip(true, Vec3{2.05f, 0.0f, 0.0f});
    addShip(false, Vec3{0.0f, 0.0f, 1.95f});
    step(0.5);
    EXPECT_EQ(planet.playerClaim, 0.0);
    EXPECT_EQ(planet.computerClaim, 0.5);
    EXPECT_EQ(developmentState(planet), DevelopmentState::Contested);
}

TEST_F(CaptureTest, AttackerPullsTheDefendersClaimDownAndTakesThePlanet) {
    Planet& planet = addPlanet(Vec3{0.0f}, 0.8f, Side::Player);
    addShip(false, Vec3{1.6f, 0.0f, 0.0f});
    run(30.0);
    EXPECT_NEAR(planet.computerClaim, 30.0, 0.02);
    EXPECT_NEAR(planet.playerClaim + planet.computerClaim, 100.0, 0.1);
    EXPECT_EQ(planet.owner, Side::Player);
    EXPECT_EQ(developmentState(planet), DevelopmentState::Contested);

    EXPECT_NEAR(timeToCapture(planet, Side::Computer, simtest::kFrame, 100.0), 70.0, 0.1);
    EXPECT_EQ(planet.computerClaim, 100.0);
    EXPECT_LE(planet.playerClaim, 1e-6);
    // The player's claim was still there a frame before the take-over, so the
    // planet was not fresh: no ships come with it.
    EXPECT_EQ(galaxy().computerShips.size(), 1u);
}

TEST_F(CaptureTest, LongFramesStillPullTheClaimsAgainstEachOther) {
    // Frames of a quarter second carry the sum of the claims past the full
    // band in one go; it must still count as full, so no claim passes 100
    // and the attacker still wins.
    Planet& planet = addPlanet(Vec3{0.0f}, 0.8f, Side::Player);
    addShip(false, Vec3{1.6f, 0.0f, 0.0f});
    double elapsed = 0.0;
    while (planet.owner == Side::Player && elapsed < 200.0) {
        step(0.25);
        elapsed += 0.25;
        ASSERT_LE(planet.playerClaim, 100.0);
        ASSERT_LE(planet.computerClaim, 100.0);
        ASSERT_NEAR(planet.playerClaim + planet.computerClaim, 100.0, 0.25);
    }
    EXPECT_EQ(planet.owner, Side::Computer);
    EXPECT_NEAR(elapsed, 100.0, 0.5);
}

TEST_F(CaptureTest, OwnersShipKeepsPushingTheLosingClaimJustBelowZero) {
    Planet& planet = addPlanet(Vec3{0.0f}, 0.8f, Side::Player);
    addShip(true, Vec3{1.6f, 0.0f, 0.0f});
    run(5.0);
    EXPECT_EQ(planet.playerClaim, 100.0);
    EXPECT_LT(planet.computerClaim, 0.0);
    EXPECT_GE(planet.computerClaim, -0.1 - 2.0 * simtest::kFrame - 1e-9);
    EXPECT_EQ(galaxy().playerShips.size(), 1u);
}

} // namespace
