// The step as a whole: pause, the end of the game, and the ship-list walks.
#include <memory>

#include "sim/generation.h"
#include "sim/waypoints.h"
#include "tests/sim/sim_test_support.h"

namespace {

using simtest::SimTest;

class StepTest : public SimTest {};

TEST_F(StepTest, PauseFreezesShipsShotsClaimsProductionAndFlags) {
    Planet& home = addPlanet(Vec3{0.0f}, 1.0f, Side::Player);
    home.shipQueue = 2;
    home.spawnTimer = 1.9;
    Planet& contested = addPlanet(Vec3{20.0f, 0.0f, 0.0f});
    contested.playerClaim = 40.0;
    const ShipRef claimer = addShip(true, Vec3{21.5f, 0.0f, 0.0f});
    const ShipRef mover = addShip(true, Vec3{5.0f, 0.0f, 5.0f});
    appendWaypoint(*mover, Vec3{15.0f, 0.0f, 5.0f}, Waypoint::Destination);
    const ShipRef enemy = addShip(false, Vec3{10.0f, 0.0f, 10.0f});
    fireLaser(*enemy, mover->position);
    Galaxy& g = galaxy();
    g.playerDefeated = true;
    g.playerVictorious = false;
    const Mat4 spin = home.model.modelMatrix;

    g.paused = true;
    step(0.5, 10);

    EXPECT_EQ(mover->position, Vec3(5.0f, 0.0f, 5.0f));
    EXPECT_EQ(enemy->lasers.front().position, Vec3(10.0f, 0.0f, 10.0f));
    EXPECT_EQ(contested.playerClaim, 40.0);
    EXPECT_EQ(home.shipQueue, 2);
    EXPECT_EQ(home.spawnTimer, 1.9);
    EXPECT_EQ(home.model.modelMatrix, spin);
    EXPECT_EQ(g.playerShips.size(), 2u);
    EXPECT_TRUE(g.playerDefeated);
    EXPECT_FALSE(g.playerVictorious);

    g.paused = false;
    step(0.5);
    EXPECT_NE(mover->position, Vec3(5.0f, 0.0f, 5.0f));
    EXPECT_GT(contested.playerClaim, 40.0);
    EXPECT_FALSE(g.playerDefeated);
}

TEST_F(StepTest, ComputerWithoutShipsLosesAtOnceEvenHoldingDevelopedPlanets) {
    addPlanet(Vec3{0.0f}, 1.0f, Side::Player);
    addPlanet(Vec3{30.0f, 0.0f, 0.0f}, 1.0f, Side::Computer);
    step(simtest::kFrame);
    EXPECT_TRUE(galaxy().playerVictorious);
    EXPECT_FALSE(galaxy().playerDefeated);
}

TEST_F(StepTest, PlayerHoldingOnlyContestedPlanetsIsDefeatedDespiteShips) {
    Planet& almost = addPlanet(Vec3{0.0f}, 1.0f, Side::Player);
    almost.playerClaim = 98.9;
    addPlanet(Vec3{30.0f, 0.0f, 0.0f}, 1.0f, Side::Computer);
    addShip(true, Vec3{10.0f, 0.0f, 10.0f});
    addShip(false, Vec3{40.0f, 0.0f, 40.0f});
    step(simtest::kFrame);
    EXPECT_TRUE(galaxy().playerDefeated);
    EXPECT_FALSE(galaxy().playerVictorious);
}

TEST_F(StepTest, BothEndFlagsCanBeSetInOneStep) {
    // Nothing developed on either side and no computer ships: the player has
    // lost and won at once, and the program reports the victory.
    addPlanet(Vec3{0.0f});
    step(simtest::kFrame);
    EXPECT_TRUE(galaxy().playerDefeated);
    EXPECT_TRUE(galaxy().playerVictorious);
}

TEST_F(StepTest, ComputerWithoutPlanetsLosesOnlyWhenNotOutnumberingThePlayer) {
    addPlanet(Vec3{0.0f}, 1.0f, Side::Player);
    addShip(false, Vec3{40.0f, 0.0f, 40.0f});
    addShip(false, Vec3{44.0f, 0.0f, 40.0f});
    addShip(true, Vec3{-40.0f, 0.0f, -40.0f});
    step(simtest::kFrame);
    EXPECT_FALSE(galaxy().playerVictorious);

    addShip(true, Vec3{-44.0f, 0.0f, -40.0f});
    step(simtest::kFrame);
    EXPECT_TRUE(galaxy().playerVictorious);
}

TEST_F(StepTest, EndIsJudgedOnTheListsBeforeTheShipsAreUpdated) {
    addPlanet(Vec3{0.0f}, 1.0f, Side::Player);
    addPlanet(Vec3{30.0f, 0.0f, 0.0f}, 1.0f, Side::Computer);
    const ShipRef last = addShip(false, Vec3{40.0f, 0.0f, 40.0f});
    last->health = 0.0;

    // The wreck still counts in the step that drops it, not in the next.
    step(simtest::kFrame);
    EXPECT_FALSE(galaxy().playerVictorious);
    EXPECT_TRUE(galaxy().computerShips.empty());
    step(simtest::kFrame);
    EXPECT_TRUE(galaxy().playerVictorious);
}

TEST_F(StepTest, DestroyedShipsGetALastUpdateAndLeaveTheListInOrder) {
    const ShipRef first = addShip(true, Vec3{-20.0f, 0.0f, 0.0f});
    ShipRef doomed = addShip(true, Vec3{0.0f, 0.0f, 0.0f});
    const ShipRef third = addShip(true, Vec3{20.0f, 0.0f, 0.0f});
    doomed->health = -0.5;
    fireLaser(*doomed, Vec3{0.0f, 0.0f, 40.0f});
    const std::weak_ptr<Ship> remembered = doomed;

    step(0.25);
    ASSERT_EQ(galaxy().playerShips.size(), 2u);
    EXPECT_EQ(galaxy().playerShips[0], first);
    EXPECT_EQ(galaxy().playerShips[1], third);
    EXPECT_EQ(doomed->age, 0.25);
    EXPECT_GT(doomed->lasers.front().position.z, 0.0f);
    for (const ShipRef& ship : galaxy().playerShips) {
        EXPECT_EQ(ship->age, 0.25);
    }

    // Once its last strong holder lets go the ship is gone, and a reference
    // kept elsewhere (a control group) reads as expired instead of dangling.
    EXPECT_FALSE(remembered.expired());
    doomed.reset();
    EXPECT_TRUE(remembered.expired());
}

TEST_F(StepTest, ShipsSpawnedByACaptureDuringTheWalkAreUpdatedInTheSameWalk) {
    Planet& planet = addPlanet(Vec3{0.0f}, 1.0f);
    planet.playerClaim = 99.99;
    scriptDraws({11, 29, 29, 29}); // the blocked second spawn point turns half round
    addShip(true, Vec3{1.5f, 0.0f, 0.0f});
    // Many ships behind the capturer, so the list grows while it is walked.
    for (int i = 0; i < 20; ++i) {
        addShip(true, Vec3{-40.0f + 2.0f * static_cast<float>(i), 0.0f, 30.0f});
    }
    step(0.25);
    EXPECT_EQ(planet.owner, Side::Player);
    ASSERT_EQ(galaxy().playerShips.size(), 23u);
    for (const ShipRef& ship : galaxy().playerShips) {
        EXPECT_EQ(ship->age, 0.25) << "ship " << ship->id;
    }
}

TEST_F(StepTest, DestroyGalaxyReleasesTheWorld) {
    std::srand(99);
    buildGalaxy();
    const std::weak_ptr<Ship> ship = galaxy().playerShips.front();
    destroyGalaxy();
    EXPECT_TRUE(galaxy().planets.empty());
    EXPECT_TRUE(galaxy().playerShips.empty());
    EXPECT_TRUE(galaxy().computerShips.empty());
    EXPECT_TRUE(ship.expired());
}

} // namespace
