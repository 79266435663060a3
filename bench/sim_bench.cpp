// Cost of one simulation step in a dense battle, by ships per side.
#include <chrono>
#include <cstdlib>

#include <benchmark/benchmark.h>

#include "sim/generation.h"
#include "sim/simulation.h"
#include "tests/sim/battle_setup.h"

namespace {

constexpr unsigned kSeed = 4242;
constexpr double kFrame = 1.0 / 60.0;

// Open space between the lowest two planet layers: the battle is fought
// clear of planets, so every ship keeps flying and shooting.
const Vec3 kBattleCentre{0.0f, 5.0f, 0.0f};

void prepareBattle(int perSide) {
    resetGalaxy();
    std::srand(kSeed);
    buildGalaxy();
    battle::setUp(perSide, kBattleCentre);
    galaxy().frameDelta = kFrame;
}

void BM_BattleStep(benchmark::State& state) {
    const int perSide = static_cast<int>(state.range(0));
    for (auto _ : state) {
        prepareBattle(perSide);
        const auto start = std::chrono::steady_clock::now();
        stepSimulation();
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    state.counters["ships"] =
        static_cast<double>(galaxy().playerShips.size() + galaxy().computerShips.size());
}

BENCHMARK(BM_BattleStep)
    ->Arg(40)
    ->Arg(100)
    ->Arg(200)
    ->Arg(400)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
