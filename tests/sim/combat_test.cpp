// Automatic targeting, lines of fire, shots in flight, and the fire commands.
#include <string>

#include "sim/combat.h"
#include "sim/waypoints.h"
#include "tests/sim/sim_test_support.h"

namespace {

using simtest::SimTest;

class CombatTest : public SimTest {
  protected:
    // Draws handed out by the scripted source so far.
    int drawsTaken() const { return scripted - static_cast<int>(script.size()); }
    void scriptRolls(std::deque<int> rolls) {
        scripted = static_cast<int>(rolls.size());
        scriptDraws(std::move(rolls));
    }
    static void fire(Ship& ship) {
        TargetedFireKey key;
        acquireTargetAndFire(ship, key);
    }
    // Flies the ship's only shot frame by frame until it is spent.
    static float rangeFlown(Ship& ship, double dt) {
        galaxy().frameDelta = dt;
        while (ship.lasers.front().alive) {
            updateLasers(ship);
        }
        return ship.lasers.front().travelled;
    }
    int scripted = 0;
};

TEST_F(CombatTest, FiringRangeIs24StandingAnd21Moving) {
    const ShipRef shooter = addShip(true, Vec3{0.0f});
    const ShipRef enemy = addShip(false, Vec3{14.0f, 0.0f, 14.0f}); // 19.8 away
    const ShipRef far = addShip(false, Vec3{-14.9f, 0.0f, 13.0f});  // 19.8 too
    far->position.y = 15.0f;                                        // now 24.7
    fire(*shooter);
    ASSERT_EQ(shooter->lasers.size(), 1u);
    EXPECT_EQ(shooter->lastTargetPoint, enemy->position);

    enemy->position = Vec3{15.0f, 0.0f, 16.0f}; // outside the 15 box on z
    shooter->reloadTimer = 3.0;
    fire(*shooter);
    EXPECT_EQ(shooter->lasers.size(), 1u);

    enemy->position = Vec3{15.0f, 12.0f, 15.0f}; // 24.4
    fire(*shooter);
    EXPECT_EQ(shooter->lasers.size(), 1u);
    enemy->position = Vec3{15.0f, 11.0f, 15.0f}; // 23.9
    fire(*shooter);
    EXPECT_EQ(shooter->lasers.size(), 2u);

    shooter->reloadTimer = 3.0;
    shooter->currentSpeed = 0.05f;
    fire(*shooter);
    EXPECT_EQ(shooter->lasers.size(), 2u);
    enemy->position = Vec3{14.0f, 5.0f, 14.0f}; // 20.4
    fire(*shooter);
    EXPECT_EQ(shooter->lasers.size(), 3u);
    EXPECT_EQ(shooter->lasers.back().rangePenalty, 3.0f);
}

TEST_F(CombatTest, ShotsLast25UnitsOr22WhenFiredOnTheMove) {
    const ShipRef shooter = addShip(true, Vec3{0.0f});
    fireLaser(*shooter, Vec3{0.0f, 0.0f, 50.0f});
    const float standing = rangeFlown(*shooter, 0.125);
    EXPECT_GT(standing, 25.0f);
    EXPECT_LE(standing, 25.0f + 2.0f * 2.0f);

    shooter->lasers.clear();
    shooter->currentSpeed = 0.1f;
    fireLaser(*shooter, Vec3{0.0f, 0.0f, 50.0f});
    const float moving = rangeFlown(*shooter, 0.125);
    EXPECT_GT(moving, 22.0f);
    EXPECT_LE(moving, 22.0f + 2.0f * 2.0f);

    // The spent shot is cleared out at the next update.
    updateLasers(*shooter);
    EXPECT_TRUE(shooter->lasers.empty());
}

TEST_F(CombatTest, PlanetAnywhereOnTheRayBlocksTheShot) {
    const ShipRef shooter = addShip(true, Vec3{0.0f});
    const ShipRef enemy = addShip(false, Vec3{10.0f, 0.0f, 0.0f});
    Planet& planet = addPlanet(Vec3{60.0f, 0.0f, 0.0f}, 1.0f);
    EXPECT_FALSE(hasClearShot(*shooter, enemy->position));
    fire(*shooter);
    EXPECT_TRUE(shooter->lasers.empty());

    planet.position = Vec3{60.0f, 0.0f, 7.0f};
    EXPECT_TRUE(hasClearShot(*shooter, enemy->position));
    planet.position = Vec3{-60.0f, 0.0f, 0.0f}; // behind the shooter
    EXPECT_TRUE(hasClearShot(*shooter, enemy->position));
    planet.position = Vec3{0.5f, 0.0f, 0.0f}; // around the shooter
    EXPECT_FALSE(hasClearShot(*shooter, Vec3{-10.0f, 0.0f, 0.0f}));
    fire(*shooter);
    EXPECT_TRUE(shooter->lasers.empty());
}

TEST_F(CombatTest, ReloadTimeIsSpentNotReset) {
    const ShipRef shooter = addShip(true, Vec3{0.0f});
    addShip(false, Vec3{10.0f, 0.0f, 0.0f});
    shooter->reloadTimer = 2.9;
    step(1.0); // a long frame only reloads
    EXPECT_TRUE(shooter->lasers.empty());
    EXPECT_DOUBLE_EQ(shooter->reloadTimer, 3.9);
    step(simtest::kFrame);
    EXPECT_EQ(shooter->lasers.size(), 1u);
    EXPECT_NEAR(shooter->reloadTimer, 0.9, 1e-12);
    EXPECT_EQ(shooter->lastShotTime, now);
}

TEST_F(CombatTest, TargetedShotCostsThreeQuartersOfAReload) {
    const ShipRef first = addShip(true, Vec3{0.0f});
    const ShipRef second = addShip(true, Vec3{2.0f, 0.0f, 0.0f});
    const ShipRef unselected = addShip(true, Vec3{4.0f, 0.0f, 0.0f});
    const ShipRef reloading = addShip(true, Vec3{6.0f, 0.0f, 0.0f});
    first->selected = second->selected = reloading->selected = true;
    reloading->reloadTimer = 2.9;

    targetedFire(Vec3{0.0f, 0.0f, 30.0f});
    EXPECT_DOUBLE_EQ(first->reloadTimer, 0.75);
    EXPECT_DOUBLE_EQ(second->reloadTimer, 0.75);
    EXPECT_EQ(first->lasers.size(), 1u);
    EXPECT_EQ(first->lasers[0].targetPoint, Vec3(0.0f, 0.0f, 30.0f));
    EXPECT_TRUE(unselected->lasers.empty());
    EXPECT_TRUE(reloading->lasers.empty());

    // Ready again 2.25 s later.
    for (int i = 0; i < 9; ++i) {
        step(0.25);
    }
    EXPECT_GE(first->reloadTimer, first->reloadTime);
}

TEST_F(CombatTest, ManualFireReportsTheReloadAndIgnoresRangeAndPlanets) {
    const ShipRef ship = addShip(true, Vec3{0.0f, 0.0f, -40.0f});
    addPlanet(Vec3{0.0f, 0.0f, -20.0f}, 1.0f);
    galaxy().aimPoint = Vec3{0.0f};
    ship->reloadTimer = 3.5;

    ::testing::internal::CaptureStdout();
    manualFire(*ship);
    manualFire(*ship);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "MAX:3 t:3.5\n");
    ASSERT_EQ(ship->lasers.size(), 1u);
    EXPECT_DOUBLE_EQ(ship->reloadTimer, 0.5);

    // It flies into the planet in the way and dies there.
    galaxy().frameDelta = simtest::kFrame;
    for (int i = 0; i < 120 && ship->lasers.front().alive; ++i) {
        updateLasers(*ship);
    }
    EXPECT_FALSE(ship->lasers.front().alive);
    EXPECT_NEAR(ship->lasers.front().position.z, -21.0f, 0.5f);
}

TEST_F(CombatTest, WithoutRandomnessEveryCloserEnemyTakesOver) {
    const ShipRef shooter = addShip(true, Vec3{0.0f});
    addShip(false, Vec3{12.0f, 0.0f, 0.0f});
    addShip(false, Vec3{14.0f, 0.0f, 10.0f}); // further: never taken
    addShip(false, Vec3{9.0f, 0.0f, 0.0f});
    addShip(false, Vec3{16.0f, 0.0f, 0.0f}); // outside the box: no draw
    galaxy().attackRandomness = 0;
    scriptRolls({5, 5, 5, 5, 5});
    fire(*shooter);
    EXPECT_EQ(shooter->lastTargetPoint, Vec3(9.0f, 0.0f, 0.0f));
    EXPECT_EQ(drawsTaken(), 3);
}

TEST_F(CombatTest, RollsDecideWhetherACloserEnemyTakesOver) {
    const ShipRef shooter = addShip(true, Vec3{0.0f});
    addShip(false, Vec3{12.0f, 0.0f, 0.0f});
    addShip(false, Vec3{10.0f, 0.0f, 0.0f});
    addShip(false, Vec3{7.0f, 0.0f, 0.0f});
    galaxy().attackRandomness = 50;
    // Rolls are draw % 100 + 1: 50 keeps the first, 51 takes the closer one.
    scriptRolls({0, 49, 50});
    fire(*shooter);
    EXPECT_EQ(shooter->lastTargetPoint, Vec3(7.0f, 0.0f, 0.0f));

    shooter->reloadTimer = 3.0;
    scriptRolls({0, 49, 49});
    fire(*shooter);
    EXPECT_EQ(shooter->lastTargetPoint, Vec3(12.0f, 0.0f, 0.0f));
}

TEST_F(CombatTest, FullRandomnessOnlyYieldsToEnemiesAtHalfTheDistance) {
    const ShipRef shooter = addShip(true, Vec3{0.0f});
    addShip(false, Vec3{14.0f, 0.0f, 14.0f}); // 19.8 away
    addShip(false, Vec3{10.5f, 0.0f, 0.0f});
    addShip(false, Vec3{9.8f, 0.0f, 0.0f});
    addShip(false, Vec3{5.0f, 0.0f, 0.0f});
    galaxy().attackRandomness = 100;
    scriptRolls({99, 99, 99, 99});
    fire(*shooter);
    // 9.8 is under half of 19.8 and takes over; 5.0 is not under half of 9.8.
    EXPECT_EQ(shooter->lastTargetPoint, Vec3(9.8f, 0.0f, 0.0f));
}

TEST_F(CombatTest, ShotsLeadAMovingTarget) {
    const ShipRef shooter = addShip(true, Vec3{0.0f});
    const ShipRef target = addShip(false, Vec3{10.0f, 0.0f, 0.0f});
    appendWaypoint(*target, Vec3{10.0f, 0.0f, 20.0f}, Waypoint::Destination);
    target->currentSpeed = 0.05f;
    fire(*shooter);
    ASSERT_EQ(shooter->lasers.size(), 1u);
    EXPECT_NEAR(shooter->lasers[0].targetPoint.z, 0.05f * 10.0f * 10.0f, 1e-4f);
    EXPECT_EQ(shooter->lastTargetPoint, target->position);
}

TEST_F(CombatTest, SelectedShipsHoldFireWhileTheModifierIsUsed) {
    const ShipRef selected = addShip(true, Vec3{0.0f});
    const ShipRef other = addShip(true, Vec3{0.0f, 0.0f, 2.0f});
    addShip(false, Vec3{10.0f, 0.0f, 0.0f});
    selected->selected = true;

    TargetedFireKey key{true, false};
    acquireTargetAndFire(*selected, key);
    acquireTargetAndFire(*other, key);
    EXPECT_TRUE(selected->lasers.empty());
    EXPECT_EQ(other->lasers.size(), 1u);

    key = TargetedFireKey{false, true};
    acquireTargetAndFire(*selected, key);
    EXPECT_TRUE(selected->lasers.empty());
    EXPECT_FALSE(key.releasedMarker);
    acquireTargetAndFire(*selected, key);
    EXPECT_EQ(selected->lasers.size(), 1u);

    // The step hands the ships the key state the window layer keeps.
    selected->reloadTimer = 3.0;
    targetedFireKey().held = true;
    step(simtest::kFrame);
    EXPECT_EQ(selected->lasers.size(), 1u);
}

TEST_F(CombatTest, ShotsHurtOnlyTheOtherSideAndPlanetsStopThemFirst) {
    const ShipRef gunner = addShip(false, Vec3{0.0f});
    const ShipRef friendly = addShip(false, Vec3{0.0f, 0.0f, 3.0f});
    const ShipRef victim = addShip(true, Vec3{0.0f, 0.0f, 6.0f});
    fireLaser(*gunner, Vec3{0.0f, 0.0f, 10.0f});
    galaxy().frameDelta = 0.0625; // one unit a frame
    for (int i = 0; i < 8; ++i) {
        updateLasers(*gunner);
    }
    EXPECT_EQ(friendly->health, 2.0);
    EXPECT_EQ(victim->health, 2.0);
    EXPECT_TRUE(gunner->lasers.empty());

    // A shot reaching a planet's edge and a ship in the same frame is stopped
    // by the planet.
    addPlanet(Vec3{1.1f, 0.0f, 8.0f}, 1.0f);
    victim->position = Vec3{0.0f, 0.0f, 8.0f};
    fireLaser(*gunner, Vec3{0.0f, 0.0f, 10.0f});
    gunner->lasers.front().position = Vec3{0.0f, 0.0f, 7.0f};
    updateLasers(*gunner);
    EXPECT_FALSE(gunner->lasers.front().alive);
    EXPECT_EQ(victim->health, 2.0);
}

TEST_F(CombatTest, ThreeHitsDestroyAPlayerShipWhichLeavesAtTheNextStep) {
    const ShipRef victim = addShip(true, Vec3{0.0f, 0.0f, 4.0f});
    const ShipRef gunner = addShip(false, Vec3{0.0f});
    victim->reloadTimer = 0.0;
    for (int shot = 0; shot < 3; ++shot) {
        fireLaser(*gunner, victim->position);
        galaxy().frameDelta = 0.0625;
        while (!gunner->lasers.empty() && gunner->lasers.back().alive) {
            updateLasers(*gunner);
        }
        gunner->lasers.clear();
    }
    EXPECT_EQ(victim->health, 0.0);
    EXPECT_EQ(galaxy().playerShips.size(), 1u);
    gunner->reloadTimer = 0.0;
    step(simtest::kFrame);
    EXPECT_TRUE(galaxy().playerShips.empty());
}

} // namespace
