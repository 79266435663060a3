// Ship production of developed planets, alone and along trade routes, and
// the spawning of queued ships.
#include "math/degrees.h"
#include "sim/production.h"
#include "tests/sim/sim_test_support.h"

namespace {

using simtest::SimTest;

class ProductionTest : public SimTest {
  protected:
    // One planet update over `seconds` in a single frame.
    static void advance(Planet& planet, double seconds) {
        galaxy().frameDelta = seconds;
        updatePlanet(planet);
    }

    // Keeps queued ships waiting, so that the queue shows what was produced.
    static void holdSpawns(Planet& planet) { planet.spawnTimer = -1e9; }

    // Two developed planets joined by a route of the given length.
    static std::pair<Planet*, Planet*> routedPair(int length) {
        Planet& from = addPlanet(Vec3{0.0f}, 1.0f, Side::Player);
        Planet& to = addPlanet(Vec3{40.0f, 0.0f, 0.0f}, 1.0f, Side::Player);
        from.routeTarget = &to;
        from.routeLength = length;
        holdSpawns(from);
        holdSpawns(to);
        return {&from, &to};
    }
};

TEST_F(ProductionTest, LongFrameSpawnsTwoQueuedShipsAndKeepsTheRest) {
    Planet& home = addPlanet(Vec3{0.0f}, 1.0f, Side::Player);
    home.shipQueue = 3;
    scriptDraws({11, 29, 29, 29}); // the blocked second spawn point turns half round
    advance(home, 4.5);
    EXPECT_EQ(galaxy().playerShips.size(), 2u);
    EXPECT_EQ(home.shipQueue, 1);
    EXPECT_DOUBLE_EQ(home.spawnTimer, 0.5);
}

TEST_F(ProductionTest, StandalonePlanetEarnsOneShipPlusOnePerIncomingRouteEvery15Seconds) {
    Planet& planet = addPlanet(Vec3{0.0f}, 1.0f, Side::Computer);
    holdSpawns(planet);
    planet.incomingRoutes = 2;
    for (int second = 0; second < 14; ++second) {
        advance(planet, 1.0);
    }
    EXPECT_EQ(planet.shipQueue, 0);
    EXPECT_EQ(planet.productionProgress, 14);
    advance(planet, 1.0);
    EXPECT_EQ(planet.shipQueue, 3);
    EXPECT_EQ(planet.productionProgress, 0);

    // Undeveloped planets produce nothing.
    Planet& contested = addPlanet(Vec3{20.0f, 0.0f, 0.0f}, 1.0f, Side::Computer);
    contested.computerClaim = 98.0;
    advance(contested, 30.0);
    EXPECT_EQ(contested.shipQueue, 0);
    EXPECT_EQ(contested.productionProgress, 0);
}

TEST_F(ProductionTest, ZeroLengthRouteWithOneIncomingDeliversTwoAndKeepsOneEveryTwoSeconds) {
    auto [from, to] = routedPair(0);
    from->incomingRoutes = 1;
    for (int i = 0; i < 5; ++i) {
        advance(*from, 2.0);
    }
    EXPECT_EQ(to->shipQueue, 10);
    EXPECT_EQ(from->shipQueue, 5);
    EXPECT_EQ(from->productionProgress, 0);
}

TEST_F(ProductionTest, OwnShareOfARouteDeliveryIsCappedAtThree) {
    auto [from, to] = routedPair(0);
    from->incomingRoutes = 5;
    advance(*from, 2.0);
    EXPECT_EQ(to->shipQueue, 6);
    EXPECT_EQ(from->shipQueue, 3);
}

TEST_F(ProductionTest, RouteTicksSlowDownAsProductionTravelsFurther) {
    auto [from, to] = routedPair(40);
    const struct {
        int progress;
        double interval;
    } brackets[] = {{15, 2.0}, {16, 2.4}, {20, 2.4}, {21, 2.8}, {26, 3.2}, {30, 3.2}, {31, 4.0}};
    for (const auto& bracket : brackets) {
        from->productionProgress = bracket.progress;
        from->productionTimer = 0.0;
        advance(*from, bracket.interval - 0.01);
        EXPECT_EQ(from->productionProgress, bracket.progress) << bracket.interval;
        advance(*from, 0.02);
        EXPECT_EQ(from->productionProgress, bracket.progress + 1) << bracket.interval;
    }
    // Several ticks in one frame all take the interval of where they started.
    from->productionProgress = 14;
    from->productionTimer = 0.0;
    advance(*from, 8.0);
    EXPECT_EQ(from->productionProgress, 18);
    EXPECT_EQ(to->shipQueue, 0);
}

TEST_F(ProductionTest, MutualRoutesProduceAsIfThereWereNoRoutes) {
    auto [a, b] = routedPair(3);
    b->routeTarget = a;
    b->routeLength = 3;
    a->incomingRoutes = 1;
    b->incomingRoutes = 1;
    EXPECT_FALSE(hasWorkingRoute(*a));
    for (int second = 0; second < 15; ++second) {
        advance(*a, 1.0);
        advance(*b, 1.0);
    }
    EXPECT_EQ(a->shipQueue, 2);
    EXPECT_EQ(b->shipQueue, 2);
}

TEST_F(ProductionTest, RouteToAnUndevelopedTargetDoesNotPay) {
    auto [from, to] = routedPair(0);
    to->playerClaim = 50.0;
    EXPECT_FALSE(hasWorkingRoute(*from));
    advance(*from, 15.0);
    EXPECT_EQ(to->shipQueue, 0);
    EXPECT_EQ(from->shipQueue, 1);
}

TEST_F(ProductionTest, FullSideUsesUpItsQueueWithoutSpawning) {
    Planet& home = addPlanet(Vec3{0.0f}, 1.0f, Side::Player);
    for (std::size_t i = 0; i < kShipListLimit; ++i) {
        addShip(true, Vec3{-90.0f + static_cast<float>(i % 20), 0.0f,
                           50.0f + static_cast<float>(i / 20)});
    }
    home.shipQueue = 3;
    advance(home, 2.0);
    advance(home, 2.0);
    EXPECT_EQ(home.shipQueue, 1);
    EXPECT_EQ(galaxy().playerShips.size(), kShipListLimit);
}

TEST_F(ProductionTest, PlanetsSpinAndMoonsCircle) {
    Planet& planet = addPlanet(Vec3{0.0f}, 1.0f, Side::Neutral);
    planet.spinSpeed = 20.0f;
    Moon moon;
    moon.orbitSpeed = -50.0f;
    moon.orbitOffset = Vec4{1.3f, 0.0f, 0.0f, 1.0f};
    planet.moons.push_back(moon);

    advance(planet, 0.5);
    advance(planet, 0.5);

    const Mat4 expectedSpin = rotateDegrees(Mat4{1.0f}, 20.0f, Vec3{0.0f, 1.0f, 0.0f});
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            EXPECT_NEAR(planet.model.modelMatrix[column][row], expectedSpin[column][row], 1e-5f);
        }
    }
    const Vec4 expectedMoon =
        rotateDegrees(Mat4{1.0f}, -50.0f, Vec3{0.0f, 1.0f, 0.0f}) * Vec4{1.3f, 0.0f, 0.0f, 1.0f};
    EXPECT_NEAR(planet.moons[0].orbitOffset.x, expectedMoon.x, 1e-5f);
    EXPECT_NEAR(planet.moons[0].orbitOffset.z, expectedMoon.z, 1e-5f);
    EXPECT_FLOAT_EQ(planet.moons[0].orbitOffset.w, 1.0f);
}

} // namespace
