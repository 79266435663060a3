// An hour of game time with ragged frame times and a player clicking at
// random, checking after every step what must always hold.
#include <cmath>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "sim/generation.h"
#include "sim/routes.h"
#include "sim/waypoints.h"
#include "tests/sim/sim_test_support.h"

namespace {

using simtest::SimTest;

// An hour; a quarter of it under the sanitizers, which run far slower.
constexpr double kSoakSeconds = simtest::kUnderSanitizers ? 900.0 : 3600.0;

class SoakTest : public SimTest {
  protected:
    float uniform(float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(orders);
    }
    bool chance(double p) { return std::bernoulli_distribution(p)(orders); }
    template <typename T> T& pick(std::vector<T>& items) {
        return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(orders)];
    }

    Vec3 randomPoint() {
        return Vec3{uniform(-100.0f, 100.0f), uniform(-2.0f, 20.0f), uniform(-100.0f, 100.0f)};
    }

    void selectSomeShips() {
        for (const ShipRef& ship : galaxy().playerShips) {
            ship->selected = chance(0.2);
        }
    }

    void selectSomePlanets() {
        for (const auto& planet : galaxy().planets) {
            planet->selected = chance(0.2);
        }
    }

    // One random command of the kinds the mouse gives.
    void giveRandomOrder() {
        Galaxy& g = galaxy();
        const int kind = std::uniform_int_distribution<int>(0, 5)(orders);
        if (kind <= 1) {
            selectSomeShips();
            const Vec3 point = randomPoint();
            for (const ShipRef& ship : g.playerShips) {
                if (!ship->selected) {
                    continue;
                }
                if (kind == 0) {
                    ship->waypoints.clear(); // a plain move; kind 1 queues it
                }
                appendWaypoint(*ship, point, Waypoint::Destination);
            }
        } else if (kind == 2) {
            selectSomePlanets();
            routePlanets(pick(g.planets)->position);
        } else if (kind == 3) {
            selectSomePlanets();
            routePlanets(randomPoint()); // a rally point, or a planet if it lies there
        } else if (kind == 4 && !g.computerShips.empty()) {
            selectSomeShips();
            targetedFire(pick(g.computerShips)->position);
        } else {
            selectSomeShips();
            g.aimPoint = randomPoint();
            for (const ShipRef& ship : g.playerShips) {
                if (ship->selected) {
                    manualFire(*ship);
                }
            }
        }
        targetedFireKey().held = chance(0.1);
        targetedFireKey().releasedMarker = chance(0.1);
    }

    // Every ship on a list has been updated exactly once in every step since
    // it came into being: its age is the sum of those frames. Ship ids count
    // up from 0.
    void checkEveryShipUpdatedOnce(double dt) {
        for (const ShipList* list : {&galaxy().playerShips, &galaxy().computerShips}) {
            for (const ShipRef& ship : *list) {
                const auto id = static_cast<std::size_t>(ship->id);
                if (id >= expectedAge.size()) {
                    expectedAge.resize(id + 1, 0.0);
                }
                expectedAge[id] += dt;
                ASSERT_EQ(ship->age, expectedAge[id]) << "ship " << ship->id;
            }
        }
    }

    static bool isFinite(Vec3 v) {
        return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
    }

    static void checkShips() {
        const Galaxy& g = galaxy();
        ASSERT_LE(g.playerShips.size(), kShipListLimit);
        ASSERT_LE(g.computerShips.size(), kShipListLimit);
        for (const ShipList* list : {&g.playerShips, &g.computerShips}) {
            for (const ShipRef& ship : *list) {
                ASSERT_EQ(ship->isPlayer, list == &g.playerShips);
                ASSERT_TRUE(isFinite(ship->position)) << "ship " << ship->id;
                for (const Waypoint& waypoint : ship->waypoints) {
                    ASSERT_TRUE(isFinite(waypoint.position)) << "ship " << ship->id;
                }
                for (const LaserShot& laser : ship->lasers) {
                    ASSERT_TRUE(isFinite(laser.position)) << "ship " << ship->id;
                }
            }
        }
    }

    // Claims stay within 100, and the route counts are exactly the routes the
    // player has opened and not taken down.
    static void checkPlanets() {
        const Galaxy& g = galaxy();
        std::map<const Planet*, int> counted;
        for (const auto& planet : g.planets) {
            ASSERT_LE(planet->playerClaim, 100.0);
            ASSERT_LE(planet->computerClaim, 100.0);
            ASSERT_GE(planet->outgoingRoutes, 0);
            ASSERT_LE(planet->outgoingRoutes, 1);
            ASSERT_GE(planet->incomingRoutes, 0);
            if (planet->outgoingRoutes == 1) {
                ASSERT_TRUE(planet->hasRoute());
                ++counted[planet->routeTarget];
            }
        }
        for (const auto& planet : g.planets) {
            ASSERT_EQ(planet->incomingRoutes, counted[planet.get()]) << "planet " << planet->id;
        }
    }

    std::mt19937 orders{20240611};
    std::vector<double> expectedAge;
};

TEST_F(SoakTest, AnHourOfRaggedFramesAndRandomOrdersKeepsTheWorldSound) {
    std::srand(777);
    buildGalaxy();
    Galaxy& g = galaxy();
    std::size_t mostShips = 0;
    int steps = 0;
    const simtest::MutedConsole muted; // fire reports and route announcements
    while (g.elapsedTime < kSoakSeconds) {
        if (chance(0.05)) {
            giveRandomOrder();
        }
        const double dt = uniform(0.001f, 0.25f);
        step(dt);
        ++steps;
        checkEveryShipUpdatedOnce(dt);
        checkShips();
        checkPlanets();
        if (HasFatalFailure()) {
            break;
        }
        mostShips = std::max({mostShips, g.playerShips.size(), g.computerShips.size()});
    }
    RecordProperty("steps", steps);
    EXPECT_GE(g.elapsedTime, kSoakSeconds);
    EXPECT_EQ(mostShips, kShipListLimit);
}

} // namespace
