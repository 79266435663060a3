// Ships steering along waypoints, around planets and ships, and ramming.
#include <cmath>

#include "sim/movement.h"
#include "sim/waypoints.h"
#include "tests/sim/sim_test_support.h"

namespace {

using simtest::SimTest;

class MovementTest : public SimTest {
  protected:
    static bool isFinite(Vec3 v) {
        return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
    }
};

TEST_F(MovementTest, WaypointOpsLeaveTheMoveStateToTheUpdate) {
    const ShipRef ship = addShip(true, Vec3{0.0f});
    appendWaypoint(*ship, Vec3{5.0f, 0.0f, 0.0f}, Waypoint::Destination);
    pushWaypointFront(*ship, Vec3{1.0f, 0.0f, 0.0f}, Waypoint::Nudge);
    EXPECT_EQ(ship->moveState, MoveState::Idle);
    ASSERT_EQ(ship->waypoints.size(), 2u);
    EXPECT_EQ(ship->waypoints[0].kind, Waypoint::Nudge);

    step(simtest::kFrame);
    EXPECT_EQ(ship->moveState, MoveState::Moving);

    ship->waypoints.clear();
    popWaypoint(*ship); // nothing to drop
    step(simtest::kFrame);
    EXPECT_EQ(ship->moveState, MoveState::Idle);
}

TEST_F(MovementTest, WaypointAtAPlanetCentreStopsTheShipAtTheSurface) {
    const Planet& planet = addPlanet(Vec3{10.0f, 0.0f, 0.0f}, 1.2f);
    const ShipRef ship = addShip(true, Vec3{0.0f});
    appendWaypoint(*ship, planet.position, Waypoint::Destination);

    run(5.0);
    EXPECT_TRUE(ship->waypoints.empty());
    EXPECT_EQ(ship->currentSpeed, 0.0f);
    const float distance = glm::length(ship->position - planet.position);
    EXPECT_GT(distance, planet.radius + ship->radius);
    EXPECT_LE(distance, 1.1f * (planet.radius + ship->radius));
    const Vec3 stopped = ship->position;
    run(1.0);
    EXPECT_EQ(ship->position, stopped);
}

TEST_F(MovementTest, OrderIntoEmptySpaceStopsNearThePointStillCountingAsMoving) {
    const ShipRef ship = addShip(true, Vec3{0.0f});
    const Vec3 target{7.3f, 0.0f, -3.1f};
    appendWaypoint(*ship, target, Waypoint::Destination);

    run(4.0);
    EXPECT_TRUE(ship->waypoints.empty());
    EXPECT_EQ(ship->moveState, MoveState::Idle);
    EXPECT_LE(glm::length(ship->position - target), 0.22f);
    EXPECT_GT(ship->currentSpeed, 0.0f);
    EXPECT_EQ(ship->headingPoint, target);
    const Vec3 stopped = ship->position;
    run(1.0);
    EXPECT_EQ(ship->position, stopped);
}

TEST_F(MovementTest, DetourAroundAPlanetKeepsTheDestinationAndGetsThere) {
    addPlanet(Vec3{10.0f, 0.0f, 0.0f}, 1.5f);
    const ShipRef ship = addShip(true, Vec3{0.0f, 0.0f, 0.05f});
    const Vec3 beyond{20.0f, 0.0f, 0.0f};
    appendWaypoint(*ship, beyond, Waypoint::Destination);

    bool detoured = false;
    for (int frame = 0; frame < 60 * 20 && !ship->waypoints.empty(); ++frame) {
        step(simtest::kFrame);
        if (ship->waypoints.size() > 1) {
            detoured = true;
            EXPECT_EQ(ship->waypoints.front().kind, Waypoint::Detour);
            EXPECT_EQ(ship->waypoints.back().kind, Waypoint::Destination);
            EXPECT_EQ(ship->waypoints.back().position, beyond);
        }
    }
    EXPECT_TRUE(detoured);
    EXPECT_TRUE(ship->waypoints.empty());
    EXPECT_LE(glm::length(ship->position - beyond), 0.22f);
}

TEST_F(MovementTest, BlockedStepIsUndoneAndOtherWaypointsGiveWayToTheDetour) {
    const Planet& planet = addPlanet(Vec3{1.45f, 0.0f, 0.0f}, 1.0f);
    const ShipRef ship = addShip(true, Vec3{0.0f});
    appendWaypoint(*ship, Vec3{3.0f, 0.0f, 0.5f}, Waypoint::Nudge);
    appendWaypoint(*ship, Vec3{9.0f, 0.0f, 0.0f}, Waypoint::Destination);
    galaxy().frameDelta = 0.1;

    EXPECT_FALSE(moveTowards(*ship, ship->waypoints.front()));
    EXPECT_EQ(ship->position, Vec3(0.0f));
    ASSERT_EQ(ship->waypoints.size(), 2u);
    EXPECT_EQ(ship->waypoints[0].kind, Waypoint::Detour);
    EXPECT_EQ(ship->waypoints[1].kind, Waypoint::Destination);
    // The planet lies to the right of the way to the nudge point; the detour
    // point steps off to the left of it.
    EXPECT_GT(ship->waypoints[0].position.z, 0.15f);
    EXPECT_LT(planet.position.z, 0.15f);
}

TEST_F(MovementTest, DetourAndNudgePointsTurnAwayFromTheObstacle) {
    const Vec3 from{0.0f};
    const Vec3 waypoint{10.0f, 0.0f, 0.0f};
    for (const float side : {-1.0f, 1.0f}) {
        const Vec3 obstacle{1.0f, 0.0f, 0.3f * side};
        const Vec3 point = detourPoint(from, waypoint, obstacle, 0.2f);
        EXPECT_NEAR(glm::length(point - from), 0.2f, 1e-5f);
        EXPECT_LT(point.z * side, 0.0f) << side;
    }
    // Straight above or below the waypoint, or on top of the idle ship, the
    // points stay finite.
    EXPECT_TRUE(isFinite(detourPoint(from, Vec3{0.0f, 5.0f, 0.0f}, Vec3{0.0f, 1.0f, 0.0f}, 0.2f)));
    EXPECT_TRUE(isFinite(nudgePoint(from, from, waypoint, 0.2f)));

    // The nudged ship is pushed on away from the mover, turned off its path.
    const Vec3 idle{1.0f, 0.0f, 0.0f};
    const Vec3 nudge = nudgePoint(idle, from, waypoint, 0.2f);
    EXPECT_GT(nudge.x, idle.x);
    EXPECT_NEAR(glm::length(nudge - idle), 0.2f, 1e-5f);
}

TEST_F(MovementTest, MoverNudgesAnIdleShipAndDetoursAroundAMovingOne) {
    const ShipRef mover = addShip(true, Vec3{0.0f});
    const ShipRef idle = addShip(true, Vec3{0.5f, 0.0f, 0.0f});
    appendWaypoint(*mover, Vec3{9.0f, 0.0f, 0.0f}, Waypoint::Destination);
    galaxy().frameDelta = 0.05;

    EXPECT_FALSE(moveTowards(*mover, mover->waypoints.front()));
    ASSERT_EQ(idle->waypoints.size(), 1u);
    EXPECT_EQ(idle->waypoints[0].kind, Waypoint::Nudge);
    EXPECT_EQ(mover->waypoints.size(), 1u);

    EXPECT_FALSE(moveTowards(*mover, mover->waypoints.front()));
    ASSERT_EQ(mover->waypoints.size(), 2u);
    EXPECT_EQ(mover->waypoints[0].kind, Waypoint::ShipDetour);
    EXPECT_EQ(idle->waypoints.size(), 1u);
}

TEST_F(MovementTest, RammingHurtsTheEnemyByItsRamDamagePerSecond) {
    const ShipRef raider = addShip(false, Vec3{0.0f});
    const ShipRef victim = addShip(true, Vec3{0.5f, 0.0f, 0.0f});
    appendWaypoint(*raider, Vec3{9.0f, 0.0f, 0.0f}, Waypoint::Destination);
    raider->speed = 1.0f;
    victim->speed = 1.0f;
    galaxy().frameDelta = 0.25;
    moveTowards(*raider, raider->waypoints.front());
    EXPECT_DOUBLE_EQ(victim->health, 2.75);
    EXPECT_DOUBLE_EQ(raider->health, 2.0);

    raider->ramDamage = 2;
    moveTowards(*raider, raider->waypoints.front());
    EXPECT_DOUBLE_EQ(victim->health, 2.25);

    victim->waypoints.clear();
    appendWaypoint(*victim, Vec3{-9.0f, 0.0f, 0.0f}, Waypoint::Destination);
    moveTowards(*victim, victim->waypoints.front());
    EXPECT_DOUBLE_EQ(raider->health, 1.75);
}

TEST_F(MovementTest, ComputerShipGivesUpItsWaypointOnTheSecondBumpIntoItsOwn) {
    const ShipRef bumper = addShip(false, Vec3{0.0f});
    const ShipRef blocker = addShip(false, Vec3{0.5f, 0.0f, 0.0f});
    appendWaypoint(*blocker, Vec3{0.5f, 0.0f, 30.0f}, Waypoint::Destination);
    appendWaypoint(*bumper, Vec3{9.0f, 0.0f, 0.0f}, Waypoint::Destination);
    galaxy().frameDelta = 0.05;

    moveTowards(*bumper, bumper->waypoints.front());
    EXPECT_EQ(bumper->bumpCount, 1.0f);
    ASSERT_EQ(bumper->waypoints.size(), 2u);
    EXPECT_EQ(bumper->waypoints[0].kind, Waypoint::ShipDetour);

    bumper->waypoints.erase(bumper->waypoints.begin());
    moveTowards(*bumper, bumper->waypoints.front());
    EXPECT_EQ(bumper->bumpCount, 0.0f);
    ASSERT_EQ(bumper->waypoints.size(), 1u);
    EXPECT_EQ(bumper->waypoints[0].kind, Waypoint::ShipDetour);
    EXPECT_EQ(blocker->health, 2.0);
}

TEST_F(MovementTest, ShipStandingOnItsWaypointDropsItWithoutGoingAstray) {
    const ShipRef ship = addShip(true, Vec3{1.0f, 2.0f, 3.0f});
    appendWaypoint(*ship, ship->position, Waypoint::Destination);
    step(simtest::kFrame);
    EXPECT_TRUE(ship->waypoints.empty());
    EXPECT_EQ(ship->position, Vec3(1.0f, 2.0f, 3.0f));
}

} // namespace
