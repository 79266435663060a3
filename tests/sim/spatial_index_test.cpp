// The spatial index and the sorted lines of fire must change nothing: the
// same battle run with and without them ends every step in the same state.
#include <cmath>
#include <cstdlib>
#include <vector>

#include "sim/generation.h"
#include "sim/line_of_fire.h"
#include "tests/sim/battle_setup.h"
#include "tests/sim/sim_test_support.h"

namespace {

using simtest::SimTest;

class SpatialIndexTest : public SimTest {
  protected:
    static void record(std::vector<double>& out, Vec3 v) { out.insert(out.end(), {v.x, v.y, v.z}); }

    // Everything the scans decide: where ships are, what they aim at and
    // hit, where they are going, and what they claim.
    static std::vector<double> snapshot() {
        std::vector<double> state;
        const Galaxy& g = galaxy();
        for (const ShipList* list : {&g.playerShips, &g.computerShips}) {
            state.push_back(static_cast<double>(list->size()));
            for (const ShipRef& ship : *list) {
                state.insert(state.end(), {static_cast<double>(ship->id), ship->health,
                                           ship->reloadTimer, ship->currentSpeed, ship->bumpCount});
                record(state, ship->position);
                record(state, ship->lastTargetPoint);
                for (const Waypoint& waypoint : ship->waypoints) {
                    state.push_back(waypoint.kind);
                    record(state, waypoint.position);
                }
                for (const LaserShot& laser : ship->lasers) {
                    state.push_back(laser.alive);
                    record(state, laser.position);
                }
            }
        }
        for (const auto& planet : g.planets) {
            state.insert(state.end(), {planet->playerClaim, planet->computerClaim,
                                       static_cast<double>(planet->owner),
                                       static_cast<double>(planet->shipQueue)});
        }
        return state;
    }

    // A battle fought among the planets of the lowest layer, so that ships
    // run into planets, claim and capture them, and shots hit planets too.
    // Frame times vary, long frames included.
    static std::vector<std::vector<double>> fight(bool indexed, int steps) {
        resetGalaxy();
        setSpatialIndexEnabled(indexed);
        std::srand(31337);
        buildGalaxy();
        battle::setUp(150, Vec3{-30.0f, 1.0f, -30.0f}, 0.1);
        std::vector<std::vector<double>> states;
        const simtest::MutedConsole muted;
        for (int i = 0; i < steps; ++i) {
            step(i % 50 == 49 ? 0.25 : (i % 7 == 0 ? 0.004 : simtest::kFrame));
            states.push_back(snapshot());
        }
        return states;
    }
};

TEST_F(SpatialIndexTest, BattleRunsTheSameWithAndWithoutTheIndex) {
    constexpr int kSteps = simtest::kUnderSanitizers ? 300 : 900;
    const std::vector<std::vector<double>> plain = fight(false, kSteps);
    const std::size_t shipsAtStart = 300;
    const std::vector<std::vector<double>> indexed = fight(true, kSteps);
    ASSERT_EQ(plain.size(), indexed.size());
    for (std::size_t i = 0; i < plain.size(); ++i) {
        ASSERT_EQ(plain[i], indexed[i]) << "first difference after step " << i + 1;
    }
    // The battle was a real one: ships were lost and planets changed hands.
    const Galaxy& g = galaxy();
    EXPECT_LT(g.playerShips.size() + g.computerShips.size(), shipsAtStart);
    int owned = 0;
    for (const auto& planet : g.planets) {
        owned += planet->owner != Side::Neutral ? 1 : 0;
    }
    EXPECT_GT(owned, 2);
}

TEST_F(SpatialIndexTest, SortedLinesOfFireAgreeWithTestingEveryPlanet) {
    std::srand(2718);
    buildGalaxy();
    const auto draw = [](float span) {
        return (static_cast<float>(std::rand() % 20001) / 10000.0f - 1.0f) * span;
    };
    int blocked = 0;
    int checked = 0;
    for (int shooter = 0; shooter < 300; ++shooter) {
        const Vec3 origin{draw(55.0f), 9.0f + draw(10.0f), draw(55.0f)};
        LineOfFire sorted(origin, true);
        LineOfFire everyPlanet(origin, false);
        std::vector<Vec3> aims;
        for (int i = 0; i < 40; ++i) {
            aims.push_back(origin + Vec3{draw(24.0f), draw(4.0f), draw(24.0f)});
        }
        // Rays grazing planet silhouettes, just inside and just outside, and
        // rays almost straight up.
        for (int i = 0; i < 10; ++i) {
            const Planet& planet =
                *galaxy().planets[static_cast<std::size_t>(std::rand()) % galaxy().planets.size()];
            const Vec3 toPlanet = planet.position - origin;
            const Vec3 side = glm::normalize(Vec3{-toPlanet.z, 0.0f, toPlanet.x});
            const float edge = planet.radius * (1.0f + draw(0.002f));
            aims.push_back(planet.position + side * edge);
            aims.push_back(origin + Vec3{draw(1e-4f), 10.0f, draw(1e-4f)});
        }
        for (const Vec3& aim : aims) {
            const bool clear = everyPlanet.isClear(aim);
            ASSERT_EQ(sorted.isClear(aim), clear)
                << "from " << origin.x << "," << origin.y << "," << origin.z;
            blocked += clear ? 0 : 1;
            ++checked;
        }
    }
    EXPECT_GT(blocked, checked / 20);
    EXPECT_LT(blocked, checked);
}

} // namespace
