// An hour of game time with ragged frame times and a player clicking at
// random, checking after every step what must always hold.
#include <cmath>
#include <cstdlib>
#include <map>
#include <random>
#include <vector>

#include "sim/generation.h"
#include "sim/routes.h"
#include "sim/waypoints.h"
#include "tests/sim/sim_test_support.h"

namespace {

// An hour; a quarter of it under the sanitizers.
constexpr double kSoakSeconds = simtest::kUnderSanitizers ? 900.0 : 3600.0;

class SoakTest : public simtest::SimTest {
  protected:
    float uniform(float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random);
    }
    bool chance(double p) { return std::bernoulli_distribution(p)(random); }
    Vec3 anyPoint() { return {uniform(-100, 100), uniform(-2, 20), uniform(-100, 100)}; }
    template <typename List> auto& anyOf(List& list) {
        return *list[std::uniform_int_distribution<std::size_t>(0, list.size() - 1)(random)];
    }

    // One command of a kind the mouse gives, to a random selection.
    void giveRandomOrder() {
        Galaxy& g = galaxy();
        for (const ShipRef& ship : g.playerShips)
            ship->selected = chance(0.2);
        for (const auto& planet : g.planets)
            planet->selected = chance(0.2);
        switch (std::uniform_int_distribution<int>(0, 5)(random)) {
        case 0: // a move, or with 1 a queued move
        case 1: {
            const Vec3 point = anyPoint();
            const bool queued = chance(0.5);
            for (const ShipRef& ship : g.playerShips) {
                if (ship->selected && !queued)
                    ship->waypoints.clear();
                if (ship->selected)
                    appendWaypoint(*ship, point, Waypoint::Destination);
            }
            break;
        }
        case 2:
            routePlanets(anyOf(g.planets).position);
            break;
        case 3:
            routePlanets(anyPoint()); // a rally point, unless a planet lies there
            break;
        case 4:
            if (!g.computerShips.empty())
                targetedFire(anyOf(g.computerShips).position);
            break;
        default:
            g.aimPoint = anyPoint();
            for (const ShipRef& ship : g.playerShips) {
                if (ship->selected)
                    manualFire(*ship);
            }
        }
        targetedFireKey() = TargetedFireKey{chance(0.1), chance(0.1)};
    }

    // A ship's age is the sum of the frames of the steps since it came into
    // being, exactly when it was updated once in each. Ship ids count up.
    void checkShips(double dt) {
        const Galaxy& g = galaxy();
        ASSERT_LE(g.playerShips.size(), kShipListLimit);
        ASSERT_LE(g.computerShips.size(), kShipListLimit);
        const auto finite = [](Vec3 v) { return std::isfinite(glm::dot(v, v)); };
        for (const ShipList* list : {&g.playerShips, &g.computerShips}) {
            for (const ShipRef& ship : *list) {
                const auto id = static_cast<std::size_t>(ship->id);
                expectedAge.resize(std::max(expectedAge.size(), id + 1), 0.0);
                expectedAge[id] += dt;
                ASSERT_EQ(ship->age, expectedAge[id]) << "ship " << id;
                ASSERT_TRUE(finite(ship->position)) << "ship " << id;
                for (const Waypoint& waypoint : ship->waypoints)
                    ASSERT_TRUE(finite(waypoint.position)) << "ship " << id;
                for (const LaserShot& laser : ship->lasers)
                    ASSERT_TRUE(finite(laser.position)) << "ship " << id;
            }
        }
    }

    // Claims stay within 100; route counts are exactly the player's routes.
    static void checkPlanets() {
        std::map<const Planet*, int> routesIn;
        for (const auto& planet : galaxy().planets) {
            ASSERT_LE(planet->playerClaim, 100.0);
            ASSERT_LE(planet->computerClaim, 100.0);
            ASSERT_TRUE(planet->outgoingRoutes == 0 || planet->outgoingRoutes == 1);
            if (planet->outgoingRoutes == 1) {
                ASSERT_TRUE(planet->hasRoute());
                ++routesIn[planet->routeTarget];
            }
        }
        for (const auto& planet : galaxy().planets)
            ASSERT_EQ(planet->incomingRoutes, routesIn[planet.get()]) << "planet " << planet->id;
    }

    std::mt19937 random{20240611};
    std::vector<double> expectedAge;
};

TEST_F(SoakTest, AnHourOfRaggedFramesAndRandomOrdersKeepsTheWorldSound) {
    std::srand(777);
    buildGalaxy();
    Galaxy& g = galaxy();
    std::size_t mostShips = 0;
    const simtest::MutedConsole muted; // fire reports and route announcements
    while (g.elapsedTime < kSoakSeconds && !HasFatalFailure()) {
        if (chance(0.05))
            giveRandomOrder();
        const double dt = uniform(0.001f, 0.25f);
        step(dt);
        checkShips(dt);
        checkPlanets();
        mostShips = std::max({mostShips, g.playerShips.size(), g.computerShips.size()});
    }
    EXPECT_GE(g.elapsedTime, kSoakSeconds);
    EXPECT_EQ(mostShips, kShipListLimit); // a side did fill up
}

} // namespace
