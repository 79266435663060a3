#include <algorithm>
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "math/degrees.h"
#include "sim/generation.h"
#include "sim/random.h"

namespace {

class GenerationTest : public ::testing::Test {
  protected:
    void SetUp() override { resetGalaxy(); }
    void TearDown() override {
        setRandomSource({});
        resetGalaxy();
    }

    // Every draw returns the same value, so every trial planet rolls alike.
    static void drawAlways(int value) {
        setRandomSource([value] { return value; });
    }
};

TEST_F(GenerationTest, SeededGalaxyPutsBothHomesWhereTheyBelong) {
    std::srand(20261206);
    buildGalaxy();
    const Galaxy& g = galaxy();
    ASSERT_GE(g.planets.size(), 2u);
    EXPECT_LE(g.planets.size(), 363u);

    const Planet& home = *g.planets.front();
    EXPECT_EQ(home.owner, Side::Player);
    EXPECT_EQ(home.playerClaim, 100.0);
    EXPECT_GE(home.position.x, -50.0f);
    EXPECT_LE(home.position.x, -48.0f);
    EXPECT_LE(home.position.y, 2.0f);
    EXPECT_GE(home.position.z, -50.0f);
    EXPECT_LE(home.position.z, -48.0f);

    const Planet& enemy = *g.planets.back();
    EXPECT_EQ(enemy.owner, Side::Computer);
    EXPECT_EQ(enemy.computerClaim, 100.0);

    EXPECT_EQ(g.playerShips.size(), 5u);
    EXPECT_GE(g.computerShips.size(), 1u);
    EXPECT_LE(g.computerShips.size(), 5u);
    for (const ShipRef& ship : g.playerShips) {
        ASSERT_EQ(ship->waypoints.size(), 1u);
        EXPECT_EQ(ship->waypoints.front().kind, Waypoint::Destination);
        EXPECT_EQ(ship->waypoints.front().position, home.rallyPoint);
        EXPECT_FLOAT_EQ(ship->speed, 5.0f - home.radius);
        EXPECT_EQ(ship->health, 3.0);
    }
    for (const ShipRef& ship : g.computerShips) {
        EXPECT_TRUE(ship->waypoints.empty());
        EXPECT_EQ(ship->health, 2.0);
        EXPECT_EQ(ship->hullModel[0].material.diffuseColor, Vec4(1.0f, 0.0f, 0.0f, 1.0f));
    }
}

TEST_F(GenerationTest, PlanetsStayOnTheirLayerGridAndKeepIdsOfDiscardedTrials) {
    std::srand(7);
    buildGalaxy();
    int previousId = -1;
    bool sawGap = false;
    for (const auto& planet : galaxy().planets) {
        EXPECT_GT(planet->id, previousId);
        sawGap = sawGap || planet->id > previousId + 1;
        previousId = planet->id;
        const float layerBase = 8.0f * static_cast<float>(planet->layer);
        EXPECT_GE(planet->position.y, layerBase);
        EXPECT_LE(planet->position.y, layerBase + 2.0f);
        EXPECT_GE(planet->position.x, -50.0f);
        EXPECT_LE(planet->position.x, 50.0f + 2.0f * (planet->layer + 1));
        const int kind = planet->model.textureKey;
        ASSERT_GE(kind, 1);
        ASSERT_LE(kind, 6);
        EXPECT_EQ(planet->nightTextureKey, kind == 4 ? TextureKey::PlanetNight : 0);
        const float spinFactor = planet->spinSpeed / 5.0f;
        EXPECT_EQ(spinFactor, std::round(spinFactor));
        EXPECT_GE(spinFactor, 1.0f);
        EXPECT_LE(spinFactor, 5.0f);
    }
    EXPECT_TRUE(sawGap);
}

TEST_F(GenerationTest, SameSeedGivesTheSameGalaxy) {
    const auto snapshot = [] {
        std::vector<float> values;
        for (const auto& planet : galaxy().planets) {
            values.insert(values.end(), {planet->position.x, planet->position.y, planet->position.z,
                                         planet->radius, planet->spinSpeed,
                                         static_cast<float>(planet->moons.size())});
        }
        for (const ShipRef& ship : galaxy().computerShips) {
            values.insert(values.end(), {ship->position.x, ship->position.z});
        }
        return values;
    };
    std::srand(99);
    buildGalaxy();
    const std::vector<float> first = snapshot();
    resetGalaxy();
    std::srand(99);
    buildGalaxy();
    EXPECT_EQ(snapshot(), first);
}

TEST_F(GenerationTest, EveryRollBelowEightyLeavesOnlyTheHomeTrialPlanet) {
    drawAlways(0); // roll 1, kind 1, radius 0.6
    buildGalaxy();
    const Galaxy& g = galaxy();
    ASSERT_EQ(g.planets.size(), 1u);
    const Planet& only = *g.planets.front();
    // It becomes both homes in turn and ends computer-owned.
    EXPECT_EQ(only.owner, Side::Computer);
    EXPECT_EQ(only.playerClaim, 100.0);
    EXPECT_EQ(only.computerClaim, 100.0);
    EXPECT_FLOAT_EQ(only.radius, 0.6f);
    EXPECT_TRUE(only.moons.empty());
    EXPECT_GE(g.playerShips.size(), 1u);
    EXPECT_LE(g.playerShips.size() + g.computerShips.size(), 10u);
    EXPECT_EQ(g.planets.front()->id, 0);
}

TEST_F(GenerationTest, MoonThresholds) {
    drawAlways(79); // roll 80: kept, one moon
    buildGalaxy();
    ASSERT_EQ(galaxy().planets.size(), 363u);
    for (const auto& planet : galaxy().planets) {
        ASSERT_EQ(planet->moons.size(), 1u);
        const Moon& moon = planet->moons.front();
        EXPECT_EQ(moon.model.textureKey, TextureKey::MoonFirst);
        EXPECT_EQ(moon.orbitOffset, Vec4(1.3f, 0.0f, 0.0f, 1.0f));
        EXPECT_EQ(moon.layer, planet->layer);
        // (79 % 60 + 1) / 10 = 2 → 52 degrees per second; 79 % 2 + 1 = 2 reverses it.
        EXPECT_EQ(moon.orbitSpeed, -52.0f);
    }

    resetGalaxy();
    drawAlways(80); // roll 81: two moons
    buildGalaxy();
    for (const auto& planet : galaxy().planets) {
        ASSERT_EQ(planet->moons.size(), 2u);
        EXPECT_EQ(planet->moons[1].model.textureKey, TextureKey::MoonSecond);
        EXPECT_EQ(planet->moons[1].orbitAxis, Vec3(0.0f, 0.7f, 0.3f));
        EXPECT_GT(planet->moons[1].orbitSpeed, 0.0f);
    }
    EXPECT_GT(galaxy().planets.back()->moons[1].id, galaxy().planets.back()->moons[0].id);

    resetGalaxy();
    drawAlways(65); // roll 66: not kept, but the home trial planet still gets its moon
    buildGalaxy();
    ASSERT_EQ(galaxy().planets.size(), 1u);
    EXPECT_EQ(galaxy().planets.front()->moons.size(), 1u);
}

TEST_F(GenerationTest, RadiiFollowTheSizeDrawAndSmallKinds) {
    drawAlways(79); // size draw 9: radius 1.5, kind 2
    buildGalaxy();
    EXPECT_FLOAT_EQ(galaxy().planets.front()->radius, 1.5f);
    EXPECT_EQ(galaxy().planets.front()->model.textureKey, 2);
    EXPECT_DOUBLE_EQ(galaxy().planets.front()->captureSpawnCredit, 6.0 * 1.5f);

    for (const int value : {4, 5}) { // kinds 5 and 6
        resetGalaxy();
        drawAlways(value);
        buildGalaxy();
        EXPECT_EQ(galaxy().planets.front()->model.textureKey, value + 1);
        EXPECT_FLOAT_EQ(galaxy().planets.front()->radius, 0.8f);
    }
}

class SpawnTest : public GenerationTest {
  protected:
    Planet& addPlanet(Side owner, Vec3 position, float radius = 1.0f) {
        auto planet = std::make_unique<Planet>(radius, 5.0f, position, 1);
        planet->owner = owner;
        (owner == Side::Player ? planet->playerClaim : planet->computerClaim) = 100.0;
        galaxy().planets.push_back(std::move(planet));
        return *galaxy().planets.back();
    }

    static void parkShip(bool isPlayer, Vec3 position) {
        shipsOfSide(isPlayer).push_back(std::make_shared<Ship>(isPlayer, position, 1.0f));
    }

    // The spawn point after a blocked one, for a computer planet and a
    // drawn angle of 15 degrees.
    static Vec3 turned(const Planet& planet, Vec3 point) {
        const Mat4 rotation = rotateDegrees(Mat4{1.0f}, 15.0f, Vec3{0.0f, 1.0f, 0.0f});
        return planet.position + Vec3{rotation * Vec4{point - planet.position, 0.0f}} +
               Vec3{0.3f, 0.0f, 0.3f};
    }
};

TEST_F(SpawnTest, OnlyEstablishedOwnedPlanetsSpawn) {
    Planet& neutral = addPlanet(Side::Neutral, Vec3{0.0f});
    neutral.playerClaim = 100.0;
    spawnShip(neutral);
    Planet& contested = addPlanet(Side::Player, Vec3{20.0f, 0.0f, 0.0f});
    contested.playerClaim = 98.9;
    spawnShip(contested);
    EXPECT_TRUE(galaxy().playerShips.empty());
    EXPECT_TRUE(galaxy().computerShips.empty());

    Planet& mine = addPlanet(Side::Player, Vec3{40.0f, 0.0f, 0.0f}, 1.5f);
    spawnShip(mine);
    ASSERT_EQ(galaxy().playerShips.size(), 1u);
    const Ship& ship = *galaxy().playerShips.front();
    EXPECT_EQ(ship.position, Vec3(41.5f, 0.0f, 1.5f));
    EXPECT_FLOAT_EQ(ship.speed, 3.5f);
    EXPECT_EQ(ship.reloadTimer, ship.reloadTime);
}

TEST_F(SpawnTest, BlockedSpawnPointIsTurnedTwiceThenGivenUp) {
    Planet& planet = addPlanet(Side::Computer, Vec3{10.0f, 0.0f, 10.0f});
    const Vec3 first = planet.position + planet.spawnOffset;
    const Vec3 second = turned(planet, first);
    const Vec3 third = turned(planet, second);
    parkShip(false, first);
    parkShip(true, second); // ships of either side block

    int draws = 0;
    setRandomSource([&draws] {
        ++draws;
        return 0; // angle (0 % 20 + 1) * 15 = 15 degrees
    });
    spawnShip(planet);
    ASSERT_EQ(galaxy().computerShips.size(), 2u);
    EXPECT_NEAR(glm::length(galaxy().computerShips.back()->position - third), 0.0f, 1e-5f);
    EXPECT_EQ(draws, 2); // one angle per blocked attempt, no axis for the computer

    parkShip(false, third); // now all three attempts are blocked
    galaxy().computerShips.erase(galaxy().computerShips.begin() + 1);
    const std::size_t before = galaxy().computerShips.size();
    spawnShip(planet);
    EXPECT_EQ(galaxy().computerShips.size(), before);
}

TEST_F(SpawnTest, SpawnPointTooCloseToTheCentreGivesUp) {
    Planet& planet = addPlanet(Side::Player, Vec3{0.0f});
    planet.spawnOffset = Vec3{1.0f, 0.0f, 0.0f};
    spawnShip(planet);
    EXPECT_TRUE(galaxy().playerShips.empty());
}

TEST_F(SpawnTest, EachSideStopsAtFourHundredShips) {
    Planet& planet = addPlanet(Side::Computer, Vec3{0.0f});
    for (int i = 0; i < 400; ++i) {
        parkShip(false, Vec3{100.0f, static_cast<float>(i), 100.0f});
    }
    spawnShip(planet);
    EXPECT_EQ(galaxy().computerShips.size(), 400u);

    Planet& mine = addPlanet(Side::Player, Vec3{30.0f, 0.0f, 0.0f});
    spawnShip(mine); // the player's side still has room
    EXPECT_EQ(galaxy().playerShips.size(), 1u);
}

TEST_F(SpawnTest, PlayerShipsFollowTheChainOfRoutes) {
    Planet& a = addPlanet(Side::Player, Vec3{0.0f});
    Planet& b = addPlanet(Side::Player, Vec3{20.0f, 0.0f, 0.0f});
    Planet& c = addPlanet(Side::Player, Vec3{40.0f, 0.0f, 0.0f});
    EXPECT_EQ(spawnDestination(a), a.rallyPoint); // no route: its own rally point

    a.routeTarget = &b;
    a.rallyPoint = b.position;
    b.routeTarget = &c;
    b.rallyPoint = c.position;
    c.rallyPoint = Vec3{45.0f, 3.0f, 0.0f};
    EXPECT_EQ(spawnDestination(a), c.position); // B's rally point, C's centre

    c.routeTarget = &a; // a closed ring stops before it comes round again
    EXPECT_EQ(spawnDestination(a), c.position);
    EXPECT_EQ(spawnDestination(b), c.rallyPoint);

    b.routeTarget = &a; // A and B route to each other
    EXPECT_EQ(spawnDestination(a), a.rallyPoint);

    spawnShip(c);
    ASSERT_EQ(galaxy().playerShips.size(), 1u);
    EXPECT_EQ(galaxy().playerShips.front()->waypoints.front().position, spawnDestination(c));
}

TEST(DevelopmentStateTest, ClaimsDecideTheState) {
    Planet planet(1.0f, 5.0f, Vec3{0.0f}, 1);
    EXPECT_EQ(developmentState(planet), DevelopmentState::Unclaimed);
    planet.computerClaim = 0.5;
    EXPECT_EQ(developmentState(planet), DevelopmentState::Contested);
    planet.computerClaim = -0.1; // the losing claim can dip below zero
    EXPECT_EQ(developmentState(planet), DevelopmentState::Contested);
    planet.playerClaim = 99.0;
    EXPECT_EQ(developmentState(planet), DevelopmentState::Established);
    EXPECT_EQ(planet.routeTarget, &planet);
    EXPECT_FALSE(planet.hasRoute());
}

TEST(ShipReferenceTest, ARememberedShipExpiresOnceDropped) {
    resetGalaxy();
    galaxy().playerShips.push_back(std::make_shared<Ship>(true, Vec3{0.0f}, 0.6f));
    const std::weak_ptr<Ship> remembered = galaxy().playerShips.front();
    EXPECT_FLOAT_EQ(remembered.lock()->speed, 4.4f);
    galaxy().playerShips.clear();
    EXPECT_TRUE(remembered.expired());
    resetGalaxy();
}

} // namespace
