// Automatic targeting, lines of fire, shots in flight, and the fire commands.
#include "sim/waypoints.h"
#include "tests/sim/sim_test_support.h"

namespace {

class CombatTest : public simtest::SimTest {
  protected:
    static bool fires(Ship& shooter) {
        const std::size_t before = shooter.lasers.size();
        shooter.reloadTimer = shooter.reloadTime;
        TargetedFireKey key;
        acquireTargetAndFire(shooter, key);
        return shooter.lasers.size() > before;
    }
    // Flies the ship's last shot, two units a frame, until it is spent or hits.
    static float flown(Ship& ship) {
        galaxy().frameDelta = 0.125;
        while (ship.lasers.back().alive)
            updateLasers(ship);
        return ship.lasers.back().travelled;
    }
};

TEST_F(CombatTest, RangeIs24StandingAnd21MovingAndShotsLast25Or22) {
    const ShipRef shooter = addShip(true, Vec3{0.0f});
    const ShipRef enemy = addShip(false, Vec3{0.0f});
    const struct {
        float speed;
        Vec3 enemy;
        bool fires;
    } cases[] = {
        {0.0f, {15.0f, 11.0f, 15.0f}, true},  // 23.9 away
        {0.0f, {15.0f, 12.0f, 15.0f}, false}, // 24.4
        {0.0f, {15.0f, 0.0f, 15.5f}, false},  // outside the 15 box
        {0.05f, {15.0f, 5.0f, 15.0f}, false}, // 21.8
        {0.05f, {14.5f, 2.0f, 15.0f}, true},  // 20.96
    };
    for (const auto& c : cases) {
        shooter->currentSpeed = c.speed;
        enemy->position = c.enemy;
        ASSERT_EQ(fires(*shooter), c.fires) << c.enemy.x << " " << c.enemy.y << " " << c.enemy.z;
        if (c.fires) { // with the target gone, the shot flies its range and dies
            enemy->position = Vec3{-50.0f, 0.0f, 0.0f};
            const float range = c.speed > 0.0f ? 22.0f : 25.0f;
            EXPECT_GT(flown(*shooter), range);
            EXPECT_LE(shooter->lasers.back().travelled, range + 4.0f);
        }
    }
}

TEST_F(CombatTest, FiringSpendsReloadTimeAndTargetedShotsCostThreeQuartersOfIt) {
    setClockSource([] { return 42.0; });
    const ShipRef shooter = addShip(true, Vec3{0.0f});
    const ShipRef enemy = addShip(false, Vec3{10.0f, 0.0f, 0.0f});
    shooter->reloadTimer = 2.9;
    step(1.0); // a long frame only reloads
    EXPECT_TRUE(shooter->lasers.empty());
    step(simtest::kFrame);
    EXPECT_EQ(shooter->lasers.size(), 1u);
    EXPECT_NEAR(shooter->reloadTimer, 0.9, 1e-12); // spent, not reset
    EXPECT_EQ(shooter->lastShotTime, 42.0);

    const ShipRef ready = addShip(true, Vec3{2.0f, 0.0f, 0.0f});
    const ShipRef unselected = addShip(true, Vec3{4.0f, 0.0f, 0.0f});
    ready->selected = shooter->selected = true; // the shooter is still reloading
    targetedFire(Vec3{0.0f, 0.0f, 30.0f});
    EXPECT_DOUBLE_EQ(ready->reloadTimer, 0.75);
    EXPECT_EQ(ready->lasers.at(0).targetPoint, Vec3(0.0f, 0.0f, 30.0f));
    EXPECT_EQ(shooter->lasers.size(), 1u);
    EXPECT_TRUE(unselected->lasers.empty());

    // Manual fire ignores range and planets: it dies at the planet in the way.
    addPlanet(Vec3{0.0f, 0.0f, -20.0f}, 1.0f);
    galaxy().aimPoint = Vec3{0.0f, 0.0f, -40.0f};
    unselected->position = Vec3{0.0f};
    unselected->reloadTimer = 3.5;
    ::testing::internal::CaptureStdout();
    manualFire(*unselected);
    manualFire(*unselected);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "MAX:3 t:3.5\n");
    EXPECT_EQ(unselected->lasers.size(), 1u);
    flown(*unselected);
    EXPECT_NEAR(unselected->lasers[0].position.z, -20.0f, 1.2f);
}

TEST_F(CombatTest, RollsDecideWhetherACloserEnemyTakesOverAndShotsLeadTheTarget) {
    const ShipRef shooter = addShip(true, Vec3{0.0f});
    for (const float x : {12.0f, 10.0f, 7.0f, 16.0f}) { // the last is outside the box
        addShip(false, Vec3{x, 0.0f, 0.0f});
    }
    // Rolls are draw % 100 + 1, one per enemy in reach: at 50, a roll of 51
    // takes a closer enemy, 50 does not; under half the distance always does.
    galaxy().attackRandomness = 50;
    scriptDraws({0, 49, 50, 7});
    fires(*shooter);
    EXPECT_EQ(shooter->lastTargetPoint, Vec3(7.0f, 0.0f, 0.0f));
    EXPECT_EQ(script.size(), 1u);
    galaxy().attackRandomness = 100;
    scriptDraws({99, 99, 99});
    const ShipRef target = addShip(false, Vec3{5.9f, 0.0f, 0.0f});
    appendWaypoint(*target, Vec3{5.9f, 0.0f, 20.0f}, Waypoint::Destination);
    target->currentSpeed = 0.05f;
    ASSERT_TRUE(fires(*shooter));
    EXPECT_EQ(shooter->lastTargetPoint, target->position);
    EXPECT_NEAR(shooter->lasers.back().targetPoint.z, 0.05f * 10.0f * 5.9f, 1e-4f);
}

TEST_F(CombatTest, SelectedShipsHoldFireWhileTheModifierIsInUse) {
    const ShipRef selected = addShip(true, Vec3{0.0f});
    const ShipRef other = addShip(true, Vec3{0.0f, 0.0f, 2.0f});
    addShip(false, Vec3{10.0f, 0.0f, 0.0f});
    selected->selected = true;
    TargetedFireKey& key = targetedFireKey();
    key.held = true;
    step(simtest::kFrame);
    EXPECT_TRUE(selected->lasers.empty());
    EXPECT_EQ(other->lasers.size(), 1u);
    key = TargetedFireKey{false, true};
    step(simtest::kFrame);
    EXPECT_TRUE(selected->lasers.empty());
    EXPECT_FALSE(key.releasedMarker);
    step(simtest::kFrame);
    EXPECT_EQ(selected->lasers.size(), 1u);
}

TEST_F(CombatTest, ShotsHurtOnlyTheOtherSideAndPlanetsStopThemFirst) {
    const ShipRef gunner = addShip(false, Vec3{0.0f});
    const ShipRef friendly = addShip(false, Vec3{0.0f, 0.0f, 3.0f});
    const ShipRef victim = addShip(true, Vec3{0.0f, 0.0f, 6.0f});
    fireLaser(*gunner, Vec3{0.0f, 0.0f, 10.0f});
    flown(*gunner);
    EXPECT_EQ(friendly->health, 2.0);
    EXPECT_EQ(victim->health, 2.0); // one hit of three
    // Reaching a planet's edge and a ship in the same frame: the planet wins.
    addPlanet(Vec3{1.1f, 0.0f, 8.0f}, 1.0f);
    victim->position.z = 8.0f;
    fireLaser(*gunner, Vec3{0.0f, 0.0f, 10.0f});
    gunner->lasers.back().position.z = 6.0f;
    updateLasers(*gunner);
    EXPECT_FALSE(gunner->lasers.back().alive);
    EXPECT_EQ(victim->health, 2.0);
}

} // namespace
