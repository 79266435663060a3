// Cost of one simulation step in a dense battle, by ships per side.
#include <cstdlib>
#include <ctime>
#include <iostream>

#include <benchmark/benchmark.h>

#include "bench/battle_setup.h"
#include "bench/machine.h"
#include "sim/game_speed.h"
#include "sim/generation.h"
#include "sim/simulation.h"
#include "sim/spatial_index.h"

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
    battle::setUp(perSide, kBattleCentre, kFrame);
    galaxy().frameDelta = kFrame;
}

// Processor time of this thread, so that other work on the machine does not
// count against the step.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Each iteration builds the same battle afresh and times one step of it.
void timeBattleSteps(benchmark::State& state, bool indexed) {
    const int perSide = static_cast<int>(state.range(0));
    setSpatialIndexEnabled(indexed);
    for (auto _ : state) {
        prepareBattle(perSide);
        const double start = threadSeconds();
        stepSimulation();
        state.SetIterationTime(threadSeconds() - start);
    }
    setSpatialIndexEnabled(true);
}

void BM_BattleStep(benchmark::State& state) {
    timeBattleSteps(state, true);
}

// The same with every scan going through whole lists, for comparison.
void BM_BattleStepWithoutIndex(benchmark::State& state) {
    timeBattleSteps(state, false);
}

// Four steps of the same battle: four frames at normal speed (speed 1) or
// one frame at four times the speed (4), which must cost no more.
void BM_BattleFourSteps(benchmark::State& state) {
    const int perSide = static_cast<int>(state.range(0));
    const int speed = static_cast<int>(state.range(1));
    for (auto _ : state) {
        prepareBattle(perSide);
        galaxy().speed = speed;
        const double start = threadSeconds();
        for (int frame = 0; frame < 4 / speed; ++frame) {
            advanceFrame(kFrame);
        }
        state.SetIterationTime(threadSeconds() - start);
    }
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

BENCHMARK(BM_BattleFourSteps)
    ->Args({400, 1})
    ->Args({400, 4})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

BENCHMARK(BM_BattleStepWithoutIndex)
    ->Arg(40)
    ->Arg(400)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    std::cout << bench::machineLine() << std::endl;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
