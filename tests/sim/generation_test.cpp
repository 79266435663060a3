// Building the galaxy from its rolls.
#include <cstdlib>

#include "sim/generation.h"
#include "tests/sim/sim_test_support.h"

namespace {

class GenerationTest : public simtest::SimTest {
  protected:
    // Every draw returns the same value, so every trial planet rolls alike.
    static const Galaxy& buildWithEveryDraw(int value) {
        resetGalaxy();
        setRandomSource([value] { return value; });
        buildGalaxy();
        return galaxy();
    }
};

TEST_F(GenerationTest, SeededGalaxyPutsHomesFleetsAndPlanetsWhereTheyBelong) {
    std::srand(20261206);
    buildGalaxy();
    const Galaxy& g = galaxy();
    ASSERT_GE(g.planets.size(), 2u);
    const Planet& home = *g.planets.front();
    EXPECT_EQ(home.owner, Side::Player);
    EXPECT_EQ(home.playerClaim, 100.0);
    EXPECT_LE(glm::length(glm::vec2(home.position.x, home.position.z) + 49.0f), 1.5f);
    EXPECT_EQ(g.planets.back()->computerClaim, 100.0);
    ASSERT_EQ(g.playerShips.size(), 5u);
    EXPECT_TRUE(g.computerShips.size() >= 1u && g.computerShips.size() <= 5u);
    for (const ShipRef& ship : g.playerShips) {
        ASSERT_EQ(ship->waypoints.size(), 1u);
        EXPECT_EQ(ship->waypoints.front().position, home.rallyPoint);
    }
    for (const ShipRef& ship : g.computerShips)
        EXPECT_TRUE(ship->waypoints.empty());

    // Planets keep to their layer's band and the ids of discarded trials.
    int previousId = -1;
    bool sawGap = false;
    for (const auto& planet : g.planets) {
        EXPECT_GT(planet->id, previousId);
        sawGap = sawGap || planet->id > previousId + 1;
        previousId = planet->id;
        const float layerBase = 8.0f * static_cast<float>(planet->layer);
        EXPECT_TRUE(planet->position.y >= layerBase && planet->position.y <= layerBase + 2.0f);
        EXPECT_LE(planet->position.x, 50.0f + 2.0f * (planet->layer + 1));
        EXPECT_EQ(planet->nightTextureKey,
                  planet->model.textureKey == 4 ? TextureKey::PlanetNight : 0);
    }
    EXPECT_TRUE(sawGap);
}

TEST_F(GenerationTest, RollsDecideWhichTrialsStayTheirMoonsAndTheirSize) {
    // Roll 1 (below 80): only the home trial planet, both homes in turn.
    const Galaxy& g = buildWithEveryDraw(0);
    ASSERT_EQ(g.planets.size(), 1u);
    EXPECT_EQ(g.planets.front()->owner, Side::Computer);
    EXPECT_EQ(g.planets.front()->playerClaim, 100.0);
    EXPECT_FLOAT_EQ(g.planets.front()->radius, 0.6f);
    EXPECT_TRUE(g.planets.front()->moons.empty());

    // Roll 80: every trial kept with one moon; size draw 9: radius 1.5, kind 2.
    buildWithEveryDraw(79);
    ASSERT_EQ(g.planets.size(), 363u);
    EXPECT_FLOAT_EQ(g.planets.front()->radius, 1.5f);
    EXPECT_EQ(g.planets.front()->model.textureKey, 2);
    EXPECT_DOUBLE_EQ(g.planets.front()->captureSpawnCredit, 6.0 * 1.5f);
    EXPECT_EQ(g.planets.front()->spinSpeed, 25.0f); // 5 degrees a second times 79 % 5 + 1
    float xLessZ = 0.0f; // every trial moved alike along x and z, on a square grid
    for (const auto& planet : g.planets) {
        xLessZ += planet->position.x - planet->position.z;
        ASSERT_EQ(planet->moons.size(), 1u);
        EXPECT_EQ(planet->moons[0].layer, planet->layer);
        // (79 % 60 + 1) / 10 = 2 → 52 degrees per second; 79 % 2 + 1 = 2 reverses it.
        EXPECT_EQ(planet->moons[0].orbitSpeed, -52.0f);
    }
    EXPECT_EQ(xLessZ, 0.0f);
    buildWithEveryDraw(80); // roll 81: two moons
    EXPECT_EQ(g.planets.back()->moons.size(), 2u);
    buildWithEveryDraw(65); // roll 66: not kept, but the home trial gets its moon
    ASSERT_EQ(g.planets.size(), 1u);
    EXPECT_EQ(g.planets.front()->moons.size(), 1u);
}

} // namespace
