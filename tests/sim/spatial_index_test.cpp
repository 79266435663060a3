// The spatial index and the sorted lines of fire must change nothing: the
// same battle run with and without them ends every step in the same state.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "bench/battle_setup.h"
#include "sim/generation.h"
#include "sim/line_of_fire.h"
#include "tests/sim/sim_test_support.h"

namespace {

using SpatialIndexTest = simtest::SimTest;

// Everything the scans decide: where ships are and are going, what they aim
// at and hit, and what they claim.
std::vector<double> snapshot() {
    std::vector<double> state;
    const auto add = [&state](Vec3 v) { state.insert(state.end(), {v.x, v.y, v.z}); };
    const Galaxy& g = galaxy();
    for (const ShipList* list : {&g.playerShips, &g.computerShips}) {
        state.push_back(static_cast<double>(list->size()));
        for (const ShipRef& ship : *list) {
            state.insert(state.end(), {static_cast<double>(ship->id), ship->health,
                                       ship->reloadTimer, ship->currentSpeed, ship->bumpCount});
            add(ship->position);
            add(ship->lastTargetPoint);
            for (const Waypoint& waypoint : ship->waypoints) {
                state.push_back(waypoint.kind);
                add(waypoint.position);
            }
            for (const LaserShot& laser : ship->lasers) {
                state.push_back(laser.alive);
                add(laser.position);
            }
        }
    }
    for (const auto& planet : g.planets)
        state.insert(state.end(),
                     {planet->playerClaim, planet->computerClaim,
                      static_cast<double>(planet->owner), static_cast<double>(planet->shipQueue)});
    return state;
}

// A battle among the lowest layer's planets, so ships also hit, capture
// (spawning during the walk) and shoot into planets; long and short frames.
std::vector<std::vector<double>> fight(bool indexed, int steps) {
    resetGalaxy();
    setSpatialIndexEnabled(indexed);
    std::srand(31337);
    buildGalaxy();
    battle::setUp(150, Vec3{-30.0f, 1.0f, -30.0f}, 0.1);
    std::vector<std::vector<double>> states;
    const simtest::MutedConsole muted;
    for (int i = 0; i < steps; ++i) {
        const double dt = i % 50 == 49 ? 0.25 : (i % 7 == 0 ? 0.004 : simtest::kFrame);
        galaxy().frameDelta = dt;
        stepSimulation();
        states.push_back(snapshot());
    }
    return states;
}

TEST_F(SpatialIndexTest, BattleRunsTheSameWithAndWithoutTheIndex) {
    const int steps = simtest::kUnderSanitizers ? 300 : 900;
    const std::vector<std::vector<double>> plain = fight(false, steps);
    const std::vector<std::vector<double>> indexed = fight(true, steps);
    for (int i = 0; i < steps; ++i)
        ASSERT_EQ(plain[i], indexed[i]) << "first difference after step " << i + 1;
    // It was a real battle: ships were lost and planets beyond the two homes
    // were claimed (and, in the longer run, taken).
    const Galaxy& g = galaxy();
    EXPECT_LT(g.playerShips.size() + g.computerShips.size(), 300u);
    EXPECT_GT(std::count_if(g.planets.begin(), g.planets.end(),
                            [](const auto& p) { return p->playerClaim + p->computerClaim > 0.0; }),
              2);
}

TEST_F(SpatialIndexTest, SortedLinesOfFireAgreeWithTestingEveryPlanet) {
    std::srand(2718);
    buildGalaxy();
    const auto draw = [](float span) {
        return (static_cast<float>(std::rand() % 20001) / 10000.0f - 1.0f) * span;
    };
    int blocked = 0;
    for (int shooter = 0; shooter < 300; ++shooter) {
        const Vec3 origin{draw(55.0f), 9.0f + draw(10.0f), draw(55.0f)};
        LineOfFire sorted(origin, true);
        LineOfFire everyPlanet(origin, false);
        for (int i = 0; i < 40; ++i) {
            // Rays anywhere, rays grazing a silhouette, rays almost straight up.
            const Planet& planet =
                *galaxy().planets[static_cast<std::size_t>(std::rand()) % galaxy().planets.size()];
            const Vec3 toPlanet = planet.position - origin;
            const Vec3 side = glm::normalize(Vec3{-toPlanet.z, 0.0f, toPlanet.x});
            for (const Vec3& aim : {origin + Vec3{draw(24.0f), draw(4.0f), draw(24.0f)},
                                    planet.position + side * planet.radius * (1.0f + draw(0.002f)),
                                    origin + Vec3{draw(1e-4f), 10.0f, draw(1e-4f)}}) {
                const bool clear = everyPlanet.isClear(aim);
                ASSERT_EQ(sorted.isClear(aim), clear) << origin.x << " " << origin.z;
                ASSERT_TRUE(!clear || glm::length(toPlanet) > 24.0f || // in range, well inside
                            glm::length(aim - planet.position) > 0.999f * planet.radius);
                blocked += clear ? 0 : 1;
            }
        }
    }
    EXPECT_GT(blocked, 300 * 40 * 3 / 20); // the planets did stand in the way
}

} // namespace
