// The record of a seeded game against the simulation's own counts: the
// events it drained every frame and its ship lists. The end screen's table
// shows those same figures.
#include <algorithm>
#include <cstdlib>

#include "render/end_screen.h"
#include "sim/events.h"
#include "sim/game_record.h"
#include "sim/generation.h"
#include "tests/sim/sim_test_support.h"

namespace {

std::size_t alive(bool isPlayer) {
    const ShipList& ships = shipsOfSide(isPlayer);
    return static_cast<std::size_t>(std::count_if(
        ships.begin(), ships.end(), [](const ShipRef& s) { return s->health > 0.0; }));
}

class GameRecordTest : public simtest::SimTest {
  protected:
    void TearDown() override {
        resetGameRecord();
        SimTest::TearDown();
    }
};

TEST_F(GameRecordTest, TheEndScreenShowsWhatTheSimulationCounted) {
    std::srand(77);
    buildGalaxy();
    const simtest::MutedConsole muted;
    Galaxy& g = galaxy();
    resetGameRecord();
    clearEvents(); // what earlier tests left
    recordGameStep();
    const std::size_t startShips[2] = {alive(true), alive(false)};
    int destroyed[2] = {}, claimed[2] = {}, lost[2] = {};
    std::size_t largest[2] = {startShips[0], startShips[1]}, samplesSeen = 1, sampled[2] = {};
    // Until both sides have lost a ship: this galaxy's first fight comes late.
    const auto foughtOnBothSides = [&] { return destroyed[0] > 0 && destroyed[1] > 0; };
    while (g.elapsedTime < 900.0 && !g.playerDefeated && !g.playerVictorious &&
           !foughtOnBothSides()) {
        step(1.0 / 30.0);
        recordGameStep();
        for (const GameEvent& e : frameEvents()) {
            const int side = e.side == Side::Player ? 0 : 1;
            destroyed[side] += e.kind == EventKind::ShipDestroyed;
            claimed[side] += e.kind == EventKind::PlanetClaimed;
            lost[side] += e.kind == EventKind::PlanetLost;
        }
        ASSERT_LT(frameEvents().size(), kFrameEventLimit);
        clearEvents();
        largest[0] = std::max(largest[0], alive(true));
        largest[1] = std::max(largest[1], alive(false));
        if (gameRecord().samples.size() != samplesSeen) {
            samplesSeen = gameRecord().samples.size();
            sampled[0] = alive(true), sampled[1] = alive(false);
        }
    }
    const GameRecord& r = gameRecord();
    const std::size_t now[2] = {alive(true), alive(false)};
    EXPECT_GT(claimed[1], 0); // the computer spread out
    EXPECT_TRUE(foughtOnBothSides()) << "no fight in " << g.elapsedTime << " s";
    const std::vector<EndScreenRow> rows = endScreenRows(r);
    ASSERT_EQ(rows.size(), 7u);
    for (int side = 0; side < 2; ++side) {
        const SideTally& t = r.tally[side];
        const int built = static_cast<int>(now[side] - startShips[side]) + destroyed[side];
        const std::string expected[] = {
            std::to_string(now[side]),       std::to_string(built),
            std::to_string(destroyed[side]), std::to_string(largest[side]),
            std::to_string(claimed[side]),   std::to_string(lost[side])};
        for (std::size_t row = 1; row < rows.size(); ++row) {
            EXPECT_EQ(side == 0 ? rows[row].player : rows[row].computer, expected[row - 1])
                << rows[row].label << " of side " << side;
        }
        EXPECT_EQ(t.shipsLost, destroyed[side]);
        // Once a second, at whole seconds of game time.
        ASSERT_EQ(r.samples.size(), static_cast<std::size_t>(g.elapsedTime) + 1);
        EXPECT_EQ(r.samples.back().ships[side], sampled[side]);
    }
    EXPECT_EQ(r.samples.front().developed[0], 1u); // the home planets
    EXPECT_EQ(r.samples.front().developed[1], 1u);
    EXPECT_EQ(clockText(r.length), clockText(g.elapsedTime));
    EXPECT_EQ(clockText(3725.0), "1:02:05");
    EXPECT_EQ(clockText(59.9), "0:59");
}

} // namespace
