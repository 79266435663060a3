// Ship production of developed planets, alone and along trade routes, and
// the spawning of queued ships.
#include "sim/production.h"
#include "tests/sim/sim_test_support.h"

namespace {

class ProductionTest : public simtest::SimTest {
  protected:
    static void advance(Planet& planet, double seconds, int frames = 1) {
        galaxy().frameDelta = seconds;
        for (int i = 0; i < frames; ++i)
            updatePlanet(planet);
    }
    // Two developed planets joined by a route; queued ships wait to be seen.
    static std::pair<Planet*, Planet*> routedPair(int length) {
        Planet& from = addPlanet(Vec3{0.0f}, 1.0f, Side::Player);
        Planet& to = addPlanet(Vec3{40.0f, 0.0f, 0.0f}, 1.0f, Side::Player);
        from.routeTarget = &to;
        from.routeLength = length;
        from.spawnTimer = to.spawnTimer = -1e9;
        return {&from, &to};
    }
};

// Each delivery gives the target one ship more than the routes feeding the
// producer, which keeps one per feeding route, three at most.
TEST_F(ProductionTest, ZeroLengthRouteKeepsAtMostThreeOfEachDelivery) {
    auto [from, to] = routedPair(0);
    from->incomingRoutes = 5;
    advance(*from, 2.0);
    EXPECT_EQ(to->shipQueue, 6);
    EXPECT_EQ(from->shipQueue, 3);
}

TEST_F(ProductionTest, RouteThatStopsPayingFallsBackToStandaloneWithoutSavingUpTime) {
    auto [from, to] = routedPair(40);
    from->productionProgress = 20; // past a standalone batch
    from->productionTimer = 3.9;   // short of a slow route tick
    to->playerClaim = 50.0;        // the target is no longer developed
    advance(*from, 1.0, 15);
    EXPECT_EQ(from->shipQueue, 1);
    to->playerClaim = 100.0; // paying again: one tick for one frame, no burst
    advance(*from, 2.0);
    EXPECT_EQ(from->productionProgress, 1);
}

// Ticks of one frame all take the interval of where they started (the
// countdown test below pins each interval).
TEST_F(ProductionTest, RouteTicksOfOneFrameTakeTheIntervalWhereTheyStarted) {
    auto [from, to] = routedPair(40);
    from->productionProgress = 14;
    from->productionTimer = 0.0;
    advance(*from, 8.0);
    EXPECT_EQ(from->productionProgress, 18);
    EXPECT_EQ(to->shipQueue, 0);
}

// The planet card's countdowns read the planet's state: they must match the
// rules worked out by hand, and the step must deliver and launch just then.
TEST_F(ProductionTest, CountdownsEndWhenTheStepDeliversAndLaunches) {
    struct Case {
        int route; // its length; -1 for none, -2 to a planet routing back (none either)
        int progress, incoming, queue;
        double timer, spawnTimer, delivery, launch;
        int delivered; // ships the delivery queues
    };
    const Case cases[] = {
        {-1, 0, 0, 0, 0.0, 0.7, 15.0, 15.3, 1},  // launched at the first whole 2 s after
        {-2, 9, 2, 0, 0.4, 1.3, 5.6, 6.7, 3},    // one more per incoming route
        {-1, 20, 0, 0, 0.5, 0.0, 15.0, 16.0, 1}, // left over from a route: a fresh batch
        {-1, 3, 0, 2, 0.0, 0.5, 12.0, 1.5, 1},   // a queued ship leaves first
        {5, 2, 1, 0, 0.3, 0.9, 7.7, 9.1, 2},     // its own share of the delivery
        // 2 ticks of 2 s, 5 of 2.4, 5 of 2.8, 5 of 3.2, 2 of 4; nothing of its own
        {32, 14, 0, 0, 1.1, 0.0, 52.9, -1.0, 1},
    };
    constexpr double kDt = 0.01;
    for (const Case& c : cases) {
        resetGalaxy();
        auto [from, to] = routedPair(std::max(c.route, 0));
        Planet& receiver = c.route < 0 ? *from : *to;
        from->routeTarget = c.route == -1 ? from : to;
        to->routeTarget = c.route == -2 ? from : to;
        from->productionProgress = c.progress;
        from->productionTimer = c.timer;
        from->incomingRoutes = c.incoming;
        from->shipQueue = c.queue;
        from->spawnTimer = c.spawnTimer;
        EXPECT_NEAR(secondsToNextDelivery(*from), c.delivery, 1e-9) << c.progress;
        EXPECT_NEAR(secondsToNextShip(*from), c.launch, 1e-9) << c.progress;
        const auto handedOut = [&] {
            return receiver.shipQueue + static_cast<int>(galaxy().playerShips.size());
        };
        const int before = handedOut();
        double delivered = -1.0, launched = -1.0;
        for (int frame = 1; frame * kDt < 60.0; ++frame) {
            advance(*from, kDt);
            if (delivered < 0.0 && handedOut() > before) {
                delivered = frame * kDt;
                EXPECT_EQ(handedOut() - before, c.delivered) << c.progress;
            }
            launched = launched < 0.0 && !galaxy().playerShips.empty() ? frame * kDt : launched;
        }
        EXPECT_NEAR(delivered, c.delivery, 1.01 * kDt) << c.progress;
        EXPECT_NEAR(launched, c.launch, 1.01 * kDt) << c.progress;
    }
}

} // namespace
