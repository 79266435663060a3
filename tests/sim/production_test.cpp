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

TEST_F(ProductionTest, StandaloneAndMutualRoutesEarnOneShipPlusOnePerIncomingEvery15Seconds) {
    auto [a, b] = routedPair(3);
    b->routeTarget = a;
    a->incomingRoutes = b->incomingRoutes = 1;
    for (int second = 1; second <= 15; ++second) {
        EXPECT_EQ(a->shipQueue, 0) << second;
        advance(*a, 1.0);
        advance(*b, 1.0);
    }
    EXPECT_EQ(a->shipQueue, 2);
    EXPECT_EQ(b->shipQueue, 2);
    EXPECT_EQ(a->productionProgress, 0);
}

TEST_F(ProductionTest, ZeroLengthRouteWithOneIncomingDeliversTwoAndKeepsOneEveryTwoSeconds) {
    auto [from, to] = routedPair(0);
    from->incomingRoutes = 1;
    advance(*from, 2.0, 5);
    EXPECT_EQ(to->shipQueue, 10);
    EXPECT_EQ(from->shipQueue, 5);
    from->incomingRoutes = 5; // the producer's own share stops at three
    advance(*from, 2.0);
    EXPECT_EQ(to->shipQueue, 16);
    EXPECT_EQ(from->shipQueue, 8);
    // Without a developed target the route does not pay.
    to->playerClaim = 50.0;
    advance(*from, 2.0);
    EXPECT_EQ(to->shipQueue, 16);
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

TEST_F(ProductionTest, RouteTicksSlowDownAsProductionTravelsFurther) {
    auto [from, to] = routedPair(40);
    const std::pair<int, double> brackets[] = {
        {15, 2.0}, {16, 2.4}, {21, 2.8}, {30, 3.2}, {31, 4.0}};
    for (const auto& [progress, interval] : brackets) {
        from->productionProgress = progress;
        from->productionTimer = 0.0;
        advance(*from, interval - 0.01);
        EXPECT_EQ(from->productionProgress, progress) << interval;
        advance(*from, 0.02);
        EXPECT_EQ(from->productionProgress, progress + 1) << interval;
    }
    // Ticks of one frame all take the interval of where they started.
    from->productionProgress = 14;
    from->productionTimer = 0.0;
    advance(*from, 8.0);
    EXPECT_EQ(from->productionProgress, 18);
    EXPECT_EQ(to->shipQueue, 0);
}

} // namespace
