// The computer's trade routes and destinations.
#include <string>

#include "sim/generation.h"
#include "sim/opponent.h"
#include "sim/routes.h"
#include "tests/sim/sim_test_support.h"

namespace {

const std::string kAnnouncement = "AI opened a new trade route\n";

class RouteTest : public simtest::SimTest {
  protected:
    static std::string openComputerRoute(Planet& planet) {
        ::testing::internal::CaptureStdout();
        openComputerTradeRoute(planet);
        return ::testing::internal::GetCapturedStdout();
    }
};

TEST_F(RouteTest, ComputerRoutesToTheLastDevelopedPlanetInReachAnnouncingEachChoice) {
    Planet& a = addPlanet(Vec3{0.0f}, 1.0f, Side::Computer);
    Planet& b = addPlanet(Vec3{10.0f, 0.0f, 0.0f}, 1.0f, Side::Computer);
    Planet& c = addPlanet(Vec3{0.0f, 0.0f, 10.0f}, 1.0f, Side::Computer);
    addPlanet(Vec3{5.0f, 0.0f, 5.0f}, 1.0f, Side::Player);
    addPlanet(Vec3{-5.0f, 0.0f, 0.0f}, 1.0f, Side::Computer).computerClaim = 98.0;

    EXPECT_EQ(openComputerRoute(a), kAnnouncement + kAnnouncement);
    EXPECT_EQ(a.routeTarget, &c);
    EXPECT_EQ(a.routeLength, 8);
    EXPECT_EQ(a.rallyPoint, c.position);
    EXPECT_EQ(c.incomingRoutes, 0); // computer routes are not counted
    // Settled while the target stays the computer's; C may not route back.
    EXPECT_EQ(openComputerRoute(a), "");
    EXPECT_EQ(openComputerRoute(c), kAnnouncement);
    EXPECT_EQ(c.routeTarget, &b);

    // Reach is 15 whole units between surfaces.
    Planet& far = addPlanet(Vec3{0.0f, 30.0f, 0.0f}, 1.0f, Side::Computer);
    Planet& lone = addPlanet(Vec3{0.0f, 48.0f, 0.0f}, 1.0f, Side::Computer);
    EXPECT_EQ(routeLength(far, lone), 16);
    EXPECT_EQ(openComputerRoute(lone), "");
    lone.position.y = 47.9f;
    EXPECT_EQ(routeLength(far, lone), 15);
    EXPECT_EQ(openComputerRoute(lone), kAnnouncement);
}

using DestinationTest = simtest::SimTest;

TEST_F(DestinationTest, IdleComputerShipHeadsForTheNearestPlanetStillToClaim) {
    addPlanet(Vec3{2.0f, 0.0f, 0.0f}, 1.0f, Side::Computer);
    Planet& contested = addPlanet(Vec3{0.0f, 0.0f, 6.0f}, 1.0f, Side::Computer);
    contested.computerClaim = 60.0;
    addPlanet(Vec3{-6.0f, 0.0f, 0.0f}, 1.0f, Side::Player);
    const ShipRef ship = addShip(false, Vec3{0.0f});
    chooseComputerDestination(*ship); // of equals, the first listed
    ASSERT_EQ(ship->waypoints.size(), 1u);
    EXPECT_EQ(ship->waypoints[0].position, contested.position);
    EXPECT_EQ(ship->waypoints[0].kind, Waypoint::Destination);
    const ShipRef player = addShip(true, Vec3{0.0f});
    chooseComputerDestination(*player);
    EXPECT_TRUE(player->waypoints.empty());
}

} // namespace
