// The computer's trade routes and destinations, and the player's routes.
#include <string>

#include "sim/generation.h"
#include "sim/opponent.h"
#include "sim/production.h"
#include "sim/routes.h"
#include "tests/sim/sim_test_support.h"

namespace {

using simtest::SimTest;

class RouteTest : public SimTest {
  protected:
    static std::string openRouteAndCapture(Planet& planet) {
        ::testing::internal::CaptureStdout();
        openComputerTradeRoute(planet);
        return ::testing::internal::GetCapturedStdout();
    }
    static void routeSelected(Planet& planet, Vec3 point) {
        planet.selected = true;
        routePlanets(point);
        planet.selected = false;
    }
};

constexpr const char* kAnnouncement = "AI opened a new trade route\n";

TEST_F(RouteTest, ComputerRoutesToTheLastDevelopedPlanetInReachAnnouncingEachChoice) {
    Planet& a = addPlanet(Vec3{0.0f}, 1.0f, Side::Computer);
    Planet& b = addPlanet(Vec3{10.0f, 0.0f, 0.0f}, 1.0f, Side::Computer);
    Planet& c = addPlanet(Vec3{0.0f, 0.0f, 10.0f}, 1.0f, Side::Computer);
    addPlanet(Vec3{5.0f, 0.0f, 5.0f}, 1.0f, Side::Player);

    EXPECT_EQ(openRouteAndCapture(a), std::string(kAnnouncement) + kAnnouncement);
    EXPECT_EQ(a.routeTarget, &c);
    EXPECT_EQ(a.routeLength, 8);
    EXPECT_EQ(a.rallyPoint, c.position);
    EXPECT_EQ(a.outgoingRoutes, 0);
    EXPECT_EQ(c.incomingRoutes, 0);

    // Settled: no second look while the target stays the computer's. C may
    // not route back to A, which routes to it, so it takes B.
    EXPECT_EQ(openRouteAndCapture(a), "");
    EXPECT_EQ(openRouteAndCapture(c), std::string(kAnnouncement));
    EXPECT_EQ(c.routeTarget, &b);
}

TEST_F(RouteTest, ComputerRouteReachIs15WholeUnitsBetweenSurfaces) {
    Planet& a = addPlanet(Vec3{0.0f}, 1.0f, Side::Computer);
    Planet& far = addPlanet(Vec3{18.0f, 0.0f, 0.0f}, 1.0f, Side::Computer); // 16 apart
    EXPECT_EQ(routeLength(a, far), 16);
    EXPECT_EQ(openRouteAndCapture(a), "");
    EXPECT_FALSE(a.hasRoute());

    far.position.x = 17.9f; // 15.9 apart
    EXPECT_EQ(routeLength(a, far), 15);
    EXPECT_EQ(openRouteAndCapture(a), std::string(kAnnouncement));
    EXPECT_EQ(a.routeTarget, &far);

    // Undeveloped computer planets neither route nor get routed to.
    Planet& young = addPlanet(Vec3{0.0f, 0.0f, 5.0f}, 1.0f, Side::Computer);
    young.computerClaim = 98.0;
    EXPECT_EQ(openRouteAndCapture(young), "");
    a.routeTarget = &a;
    openRouteAndCapture(a);
    EXPECT_EQ(a.routeTarget, &far);
}

TEST_F(RouteTest, ComputerReroutesWhenItsTargetFallsAndElseKeepsProducingThroughIt) {
    Planet& a = addPlanet(Vec3{0.0f}, 1.0f, Side::Computer);
    Planet& b = addPlanet(Vec3{10.0f, 0.0f, 0.0f}, 1.0f, Side::Computer);
    openRouteAndCapture(a);
    ASSERT_EQ(a.routeTarget, &b);

    b.owner = Side::Player;
    b.playerClaim = 100.0;
    b.computerClaim = 0.0;
    EXPECT_EQ(openRouteAndCapture(a), ""); // nothing else in reach
    EXPECT_EQ(a.routeTarget, &b);
    EXPECT_TRUE(hasWorkingRoute(a));
    a.spawnTimer = -1e9;
    galaxy().frameDelta = 2.0 * (a.routeLength + 1);
    updatePlanet(a);
    EXPECT_EQ(b.shipQueue, 1);

    Planet& c = addPlanet(Vec3{0.0f, 0.0f, -10.0f}, 1.0f, Side::Computer);
    EXPECT_EQ(openRouteAndCapture(a), std::string(kAnnouncement));
    EXPECT_EQ(a.routeTarget, &c);
}

TEST_F(RouteTest, CapturedComputerPlanetKeepsFeedingTheComputersTarget) {
    Planet& a = addPlanet(Vec3{0.0f}, 1.0f, Side::Computer);
    Planet& b = addPlanet(Vec3{4.0f, 0.0f, 0.0f}, 1.0f, Side::Computer);
    openRouteAndCapture(a);
    a.owner = Side::Player;
    a.playerClaim = 100.0;
    a.computerClaim = -0.05;
    a.spawnTimer = -1e9;
    scriptDraws({});

    galaxy().frameDelta = 2.0 * (a.routeLength + 1);
    updatePlanet(a);
    EXPECT_EQ(b.shipQueue, 1);
    galaxy().frameDelta = 2.0;
    updatePlanet(b);
    ASSERT_EQ(galaxy().computerShips.size(), 1u);
}

TEST_F(RouteTest, PlayerReroutingMovesTheIncomingCount) {
    Planet& k = addPlanet(Vec3{0.0f}, 1.0f, Side::Player);
    Planet& b = addPlanet(Vec3{10.0f, 0.0f, 0.0f}, 1.0f, Side::Computer);
    Planet& c = addPlanet(Vec3{0.0f, 0.0f, 30.0f}, 1.2f);

    // A click near B's surface means B.
    routeSelected(k, Vec3{10.0f, 0.0f, 1.4f});
    EXPECT_EQ(k.routeTarget, &b);
    EXPECT_EQ(k.rallyPoint, b.position);
    EXPECT_EQ(k.routeLength, 8);
    EXPECT_EQ(b.incomingRoutes, 1);
    EXPECT_EQ(k.outgoingRoutes, 1);

    routeSelected(k, c.position);
    EXPECT_EQ(b.incomingRoutes, 0);
    EXPECT_EQ(c.incomingRoutes, 1);
    EXPECT_EQ(k.outgoingRoutes, 1);
    EXPECT_EQ(k.routeLength, 27);

    // Unselected and foreign planets are left alone.
    b.selected = true;
    routePlanets(k.position);
    EXPECT_FALSE(b.hasRoute());
    EXPECT_EQ(k.routeTarget, &c);
}

TEST_F(RouteTest, ClickInEmptySpaceDropsTheRouteAndSendsNewShipsThere) {
    Planet& k = addPlanet(Vec3{0.0f}, 1.0f, Side::Player);
    Planet& b = addPlanet(Vec3{10.0f, 0.0f, 0.0f}, 1.0f, Side::Player);
    routeSelected(k, b.position);
    k.productionProgress = 5;

    const Vec3 rally{-7.0f, 0.0f, 12.0f};
    routeSelected(k, rally);
    EXPECT_FALSE(k.hasRoute());
    EXPECT_EQ(k.productionProgress, 0);
    EXPECT_EQ(k.rallyPoint, rally);
    EXPECT_EQ(k.outgoingRoutes, 0);
    EXPECT_EQ(b.incomingRoutes, 0);
    EXPECT_EQ(spawnDestination(k), rally);

    // Routing a planet to itself leaves it without a route, rallying at home.
    routeSelected(k, k.position);
    EXPECT_FALSE(k.hasRoute());
    EXPECT_EQ(k.rallyPoint, k.position);
    EXPECT_EQ(k.outgoingRoutes, 0);
    EXPECT_EQ(k.incomingRoutes, 0);
}

TEST_F(RouteTest, RoutesOpenedByTheOtherSideNeverDriveTheCountsNegative) {
    // A computer route on a planet the player then takes was never counted.
    Planet& a = addPlanet(Vec3{0.0f}, 1.0f, Side::Computer);
    Planet& b = addPlanet(Vec3{10.0f, 0.0f, 0.0f}, 1.0f, Side::Computer);
    Planet& c = addPlanet(Vec3{0.0f, 0.0f, 10.0f}, 1.0f, Side::Player);
    b.routeTarget = &b;
    a.routeTarget = &b;
    a.owner = Side::Player;
    routeSelected(a, c.position);
    EXPECT_EQ(b.incomingRoutes, 0);
    EXPECT_EQ(a.outgoingRoutes, 1);
    EXPECT_EQ(c.incomingRoutes, 1);

    // A player route on a planet the computer takes and re-routes leaves the
    // counts as it goes.
    a.owner = Side::Computer;
    a.computerClaim = 100.0;
    a.playerClaim = 0.0;
    openRouteAndCapture(a);
    EXPECT_EQ(a.routeTarget, &b);
    EXPECT_EQ(a.outgoingRoutes, 0);
    EXPECT_EQ(c.incomingRoutes, 0);

    // And back to the player, who routes it again.
    a.owner = Side::Player;
    routeSelected(a, c.position);
    EXPECT_EQ(b.incomingRoutes, 0);
    EXPECT_EQ(c.incomingRoutes, 1);
    EXPECT_EQ(a.outgoingRoutes, 1);
}

class DestinationTest : public SimTest {};

TEST_F(DestinationTest, IdleComputerShipHeadsForTheNearestPlanetStillToClaim) {
    addPlanet(Vec3{2.0f, 0.0f, 0.0f}, 1.0f, Side::Computer);
    Planet& contested = addPlanet(Vec3{0.0f, 0.0f, 6.0f}, 1.0f, Side::Computer);
    contested.computerClaim = 60.0;
    addPlanet(Vec3{-6.0f, 0.0f, 0.0f}, 1.0f, Side::Player);
    addPlanet(Vec3{0.0f, 0.0f, -6.0f}, 1.0f);
    const ShipRef ship = addShip(false, Vec3{0.0f});

    // Three at the same distance: the first listed.
    chooseComputerDestination(*ship);
    ASSERT_EQ(ship->waypoints.size(), 1u);
    EXPECT_EQ(ship->waypoints[0].position, contested.position);
    EXPECT_EQ(ship->waypoints[0].kind, Waypoint::Destination);

    // Busy ships and player ships are left alone.
    chooseComputerDestination(*ship);
    EXPECT_EQ(ship->waypoints.size(), 1u);
    const ShipRef player = addShip(true, Vec3{0.0f});
    chooseComputerDestination(*player);
    EXPECT_TRUE(player->waypoints.empty());

    contested.computerClaim = 100.0;
    ship->waypoints.clear();
    chooseComputerDestination(*ship);
    EXPECT_EQ(ship->waypoints[0].position, Vec3(-6.0f, 0.0f, 0.0f));
}

TEST_F(DestinationTest, ComputerShipStaysIdleWithNothingLeftToClaim) {
    addPlanet(Vec3{5.0f, 0.0f, 0.0f}, 1.0f, Side::Computer);
    const ShipRef ship = addShip(false, Vec3{0.0f});
    Planet& neutral = addPlanet(Vec3{30.0f, 0.0f, 0.0f}, 1.0f);
    chooseComputerDestination(*ship);
    EXPECT_EQ(ship->waypoints[0].position, neutral.position);

    ship->waypoints.clear();
    neutral.owner = Side::Computer;
    neutral.computerClaim = 100.0;
    step(simtest::kFrame);
    EXPECT_TRUE(ship->waypoints.empty());
    EXPECT_EQ(ship->moveState, MoveState::Idle);
    EXPECT_EQ(ship->position, Vec3(0.0f));
}

} // namespace
