// Claiming planets by standing near them, and taking them over.
#include <algorithm>

#include "tests/sim/sim_test_support.h"

namespace {

class CaptureTest : public simtest::SimTest {
  protected:
    // Game time until the planet is the side's; claims checked every frame.
    static double timeToCapture(Planet& planet, Side side, double dt) {
        double elapsed = 0.0;
        for (; planet.owner != side && elapsed < 300.0; elapsed += dt) {
            step(dt);
            EXPECT_LE(std::max(planet.playerClaim, planet.computerClaim), 100.0);
        }
        return elapsed;
    }
};

TEST_F(CaptureTest, NeutralPlanetFallsIn100SecondsToOneShipAnd50ToTwoAndGreetsWithTwoShips) {
    scriptDraws({}); // blocked spawn points turn by a fixed angle
    Planet& alone = addPlanet(Vec3{0.0f}, 0.8f);
    Planet& pair = addPlanet(Vec3{40.0f, 0.0f, 0.0f}, 0.8f);
    for (const Vec3& at : {Vec3{1.6f, 0.0f, 0.0f}, Vec3{41.6f, 0.0f, 0.0f}, Vec3{38.4f, 0.0f, 0.0f},
                           Vec3{0.0f, 0.0f, -2.05f}}) { // the last just outside the claim radius
        addShip(true, at);
    }
    EXPECT_NEAR(timeToCapture(pair, Side::Player, 0.125), 50.0, 1e-9);
    EXPECT_EQ(galaxy().playerShips.size(), 6u);
    EXPECT_EQ(pair.spawnTimer, 6.0 * pair.radius); // queued ships leave at once
    EXPECT_NEAR(timeToCapture(alone, Side::Player, 0.125), 50.0, 1e-9); // 100 s in all
    const auto atAlone = std::count_if(
        galaxy().playerShips.begin(), galaxy().playerShips.end(), [&alone](const ShipRef& ship) {
            return glm::length(ship->position - alone.position) < 3.0f;
        });
    EXPECT_EQ(atAlone, 4);
}

TEST_F(CaptureTest, AttackerPullsTheDefenderDownAndWinsWithoutShipsEvenOnLongFrames) {
    // Frames of a quarter second carry the sum of the claims past 100 in one
    // go; it still counts as full, so the claims pull against each other.
    for (const double dt : {simtest::kFrame, 0.25}) {
        resetGalaxy();
        Planet& planet = addPlanet(Vec3{0.0f}, 0.8f, Side::Player);
        addShip(false, Vec3{1.6f, 0.0f, 0.0f});
        step(dt, static_cast<int>(30.0 / dt + 0.5));
        EXPECT_NEAR(planet.computerClaim, 30.0, 0.25) << dt;
        EXPECT_EQ(developmentState(planet), DevelopmentState::Contested);
        EXPECT_NEAR(timeToCapture(planet, Side::Computer, dt), 70.0, 0.3) << dt;
        // The player's claim was not yet gone a frame before: no ships come.
        EXPECT_EQ(galaxy().computerShips.size(), 1u);
    }
    resetGalaxy(); // a neutral planet greets the computer with two ships, as it does the player
    addShip(false, Vec3{1.6f, 0.0f, 0.0f});
    EXPECT_NEAR(timeToCapture(addPlanet(Vec3{0.0f}, 0.8f), Side::Computer, 0.125), 100.0, 1e-9);
    EXPECT_EQ(galaxy().computerShips.size(), 3u);
}

} // namespace
