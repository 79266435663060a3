// Ships steering along waypoints, around planets and ships, and ramming.
#include "sim/movement.h"
#include "sim/waypoints.h"
#include "tests/sim/sim_test_support.h"

namespace {

using MovementTest = simtest::SimTest;
constexpr double kFrame = simtest::kFrame;

TEST_F(MovementTest, ShipsStopAtAPlanetsSurfaceOrNearAPointInSpace) {
    const Planet& planet = addPlanet(Vec3{10.0f, 0.0f, 0.0f}, 1.2f);
    const ShipRef toPlanet = addShip(true, Vec3{0.0f});
    appendWaypoint(*toPlanet, planet.position, Waypoint::Destination);
    // A point just outside the planet, where no ship fits: the planet's far side.
    const ShipRef toRim = addShip(true, Vec3{0.0f, 0.0f, 3.0f});
    appendWaypoint(*toRim, planet.position + Vec3{0.9f, 0.0f, 0.9f}, Waypoint::Destination);
    const Vec3 point{-7.3f, 0.0f, -3.1f};
    const ShipRef toPoint = addShip(true, Vec3{0.0f, 0.0f, -6.0f});
    appendWaypoint(*toPoint, point, Waypoint::Destination);
    EXPECT_EQ(toPoint->moveState, MoveState::Idle); // until its next update

    step(kFrame, 300);
    const float distance = glm::length(toPlanet->position - planet.position);
    EXPECT_GT(distance, planet.radius + toPlanet->radius);
    EXPECT_LE(distance, 1.1f * (planet.radius + toPlanet->radius));
    EXPECT_TRUE(toPlanet->waypoints.empty());
    EXPECT_TRUE(toRim->waypoints.empty());
    EXPECT_EQ(toPlanet->currentSpeed, 0.0f);
    // In open space it keeps the length of its last step as its speed.
    EXPECT_LE(glm::length(toPoint->position - point), 0.22f);
    EXPECT_GT(toPoint->currentSpeed, 0.0f);
    EXPECT_EQ(toPoint->moveState, MoveState::Idle);
    const Vec3 stopped = toPoint->position;
    step(kFrame, 60);
    EXPECT_EQ(toPoint->position, stopped);
    // Reached within 1.1 radii: a step that ends 0.21 short of it drops the waypoint.
    const ShipRef close = addShip(true, Vec3{0.0f, 0.0f, -20.0f});
    appendWaypoint(*close, Vec3{0.3f, 0.0f, -20.0f}, Waypoint::Destination);
    galaxy().frameDelta = 0.0225; // a step of 0.09
    followWaypoints(*close);
    EXPECT_TRUE(close->waypoints.empty());
}

TEST_F(MovementTest, DetoursAroundAPlanetKeepTheDestinationAndGetThere) {
    addPlanet(Vec3{10.0f, 0.0f, 0.0f}, 1.5f);
    const ShipRef ship = addShip(true, Vec3{0.0f, 0.0f, 0.05f});
    const Vec3 beyond{20.0f, 0.0f, 0.0f};
    appendWaypoint(*ship, beyond, Waypoint::Destination);
    bool detoured = false;
    for (int frame = 0; frame < 60 * 20 && !ship->waypoints.empty(); ++frame) {
        step(kFrame);
        if (ship->waypoints.size() > 1) {
            detoured = true;
            ASSERT_EQ(ship->waypoints.size(), 2u);
            EXPECT_EQ(ship->waypoints[0].kind, Waypoint::Detour);
            EXPECT_EQ(ship->waypoints[1].position, beyond);
        }
    }
    EXPECT_TRUE(detoured);
    EXPECT_LE(glm::length(ship->position - beyond), 0.22f);

    // Any other waypoint gives way to the detour; the blocked step is undone.
    ship->position = Vec3{8.3f, 0.0f, 0.0f};
    appendWaypoint(*ship, Vec3{12.0f, 0.0f, 0.5f}, Waypoint::Nudge);
    EXPECT_FALSE(moveTowards(*ship, ship->waypoints.front()));
    EXPECT_NEAR(glm::length(ship->position - Vec3{8.3f, 0.0f, 0.0f}), 0.0f, 1e-5f);
    ASSERT_EQ(ship->waypoints.size(), 1u);
    EXPECT_EQ(ship->waypoints[0].kind, Waypoint::Detour);
    EXPECT_GT(ship->waypoints[0].position.z, 0.0f); // away from the planet's side
}

// A ship that runs into an own ship bound for its destination has arrived when
// that ship stopped there or stands on the point (its own point, ordered at
// its own height, a little apart), so a group gathers round the point; one
// only on its way there is gone round.
TEST_F(MovementTest, RunningIntoAShipAtTheSameDestination) {
    const Vec3 point{0.0f, 0.0f, 5.0f};
    const struct {
        float otherZ;
        bool stopped, arrives;
    } cases[] = {{4.4f, true, true}, {4.8f, false, true}, {4.4f, false, false}};
    for (const auto& c : cases) {
        resetGalaxy();
        const ShipRef other = addShip(true, Vec3{0.0f, 0.0f, c.otherZ});
        other->headingPoint = point + Vec3{0.0f, 0.003f, 0.0f};
        if (!c.stopped)
            appendWaypoint(*other, other->headingPoint, Waypoint::Destination);
        const ShipRef ship = addShip(true, Vec3{0.0f, 0.0f, c.otherZ - 0.43f});
        appendWaypoint(*ship, point, Waypoint::Destination);
        galaxy().frameDelta = 0.01;
        EXPECT_FALSE(moveTowards(*ship, ship->waypoints.front()));
        EXPECT_EQ(ship->waypoints.empty(), c.arrives) << c.otherZ << " " << c.stopped;
    }
}

TEST_F(MovementTest, RammingHurtsTheEnemyByTheRammersDamagePerSecond) {
    const ShipRef raider = addShip(false, Vec3{0.0f});
    const ShipRef victim = addShip(true, Vec3{0.5f, 0.0f, 0.0f});
    raider->speed = victim->speed = 1.0f;
    appendWaypoint(*raider, Vec3{9.0f, 0.0f, 0.0f}, Waypoint::Destination);
    appendWaypoint(*victim, Vec3{-9.0f, 0.0f, 0.0f}, Waypoint::Destination);
    galaxy().frameDelta = 0.25;
    moveTowards(*raider, raider->waypoints.front());
    EXPECT_DOUBLE_EQ(victim->health, 2.75);
    EXPECT_DOUBLE_EQ(raider->health, 2.0);
    victim->ramDamage = 2;
    moveTowards(*victim, victim->waypoints.front());
    EXPECT_DOUBLE_EQ(raider->health, 1.5);
}

} // namespace
