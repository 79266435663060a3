// The computer's trade routes and destinations.
#include <algorithm>
#include <string>

#include "sim/generation.h"
#include "sim/opponent.h"
#include "sim/opponent_choice.h"
#include "sim/opponent_levels.h"
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

// A computer route is never counted, so a ruthless computer routes only where
// a route delivers more often than the planet makes ships alone: to the
// nearest developed planet within 6 units, to none farther, and it drops a
// route whose target it lost rather than route farther.
TEST_F(RouteTest, RuthlessComputerRoutesOnlyWhereTheRoutePays) {
    chosenOpponent() = OpponentLevel::Ruthless;
    Planet& a = addPlanet(Vec3{0.0f}, 1.0f, Side::Computer);
    Planet& near = addPlanet(Vec3{6.0f, 0.0f, 0.0f}, 1.0f, Side::Computer);
    Planet& far = addPlanet(Vec3{0.0f, 0.0f, 11.0f}, 1.0f, Side::Computer);
    const simtest::MutedConsole muted;
    orderComputerPlanet(a);
    EXPECT_EQ(a.routeTarget, &near);
    EXPECT_EQ(a.routeLength, 4);
    orderComputerPlanet(far); // 9 and 10 units away
    EXPECT_FALSE(far.hasRoute());
    setOwner(near, Side::Player);
    orderComputerPlanet(a);
    EXPECT_FALSE(a.hasRoute());
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

// A hard computer that holds twice the player's ships stops claiming and
// sends a gathered fleet at each of the player's planets, the defended one
// with enough to win; short of that lead it claims the free planet nearby;
// facing twice its ships it stops claiming too, and all its ships go for the
// player planet it can take.
TEST_F(DestinationTest, HardComputerGoesAllInOnceEitherSideHoldsTwiceTheShips) {
    chosenOpponent() = OpponentLevel::Hard;
    addPlanet(Vec3{0.0f}, 1.0f, Side::Computer);
    const Planet& free = addPlanet(Vec3{0.0f, 0.0f, 10.0f});
    const Planet& defended = addPlanet(Vec3{30.0f, 0.0f, 0.0f}, 1.0f, Side::Player);
    const Planet& open = addPlanet(Vec3{-30.0f, 0.0f, 0.0f}, 1.0f, Side::Player);
    for (int i = 0; i < 2; ++i)
        addShip(true, defended.position + Vec3{0.0f, 0.0f, 2.0f + i});
    for (int i = 0; i < 12; ++i)
        addShip(false, Vec3{0.2f * i, 0.0f, -2.0f});
    const auto sentTo = [](const Planet& planet) {
        return std::count_if(galaxy().computerShips.begin(), galaxy().computerShips.end(),
                             [&planet](const ShipRef& ship) {
                                 return !ship->waypoints.empty() &&
                                        glm::length(ship->waypoints.back().position -
                                                    planet.position) <= planet.radius + 1e-4f;
                             });
    };
    for (const int players : {2, 7, 24}) {
        while (galaxy().playerShips.size() < static_cast<std::size_t>(players))
            addShip(true, defended.position + Vec3{0.0f, 0.0f, -3.0f});
        for (const ShipRef& ship : galaxy().computerShips)
            ship->waypoints.clear();
        galaxy().frameDelta = 0.1;
        galaxy().elapsedTime += 1.0; // a plan every second
        planComputerSide();
        EXPECT_EQ(sentTo(free) > 0, players == 7) << players;
        if (players == 2) {
            EXPECT_EQ(sentTo(defended), 6);
            EXPECT_EQ(sentTo(open), 6);
        }
        if (players == 24) {
            EXPECT_EQ(sentTo(open), 12);
        }
    }
}

// Ships stop where they first touch a planet and claim only within the
// capture radius of its centre. A hard computer's fleet sent to take a large
// planet spreads over its face and stays there claiming with every ship (one
// flown at the centre waited mostly outside; ships already claiming were
// sent on to the front when the party was full).
TEST_F(DestinationTest, HardFleetClaimsALargePlanetWithEveryShip) {
    chosenOpponent() = OpponentLevel::Hard;
    addPlanet(Vec3{12.0f, 0.0f, 0.0f}, 1.0f, Side::Computer);
    const Planet& large = addPlanet(Vec3{0.0f}, 1.5f);
    addPlanet(Vec3{80.0f, 0.0f, 0.0f}, 1.0f, Side::Player);
    for (int i = 0; i < 4; ++i) // short of a 2:1 lead the computer claims
        addShip(true, Vec3{78.0f, 0.0f, 1.0f * i});
    for (int i = 0; i < 6; ++i)
        addShip(false, Vec3{9.5f, 0.0f, 0.5f * i - 1.25f});
    step(0.05, 200);
    const auto claiming = std::count_if(
        galaxy().computerShips.begin(), galaxy().computerShips.end(), [&large](const ShipRef& s) {
            return glm::length(s->position - large.position) < galaxy().captureRadius;
        });
    EXPECT_EQ(claiming, 6);
    EXPECT_GT(large.computerClaim, 35.0); // 6 a second once there
}

} // namespace
