// Sound's share of a frame in a 400 against 400 battle: the simulation steps
// the battle at 60 frames a second in real time (so OpenAL's mixer runs as in
// the game), and each frame times only what the main loop spends on sound:
// the device watch, the listener, choosing voices for the step's events and
// starting them.
// Run from the game folder:   sound_bench [FRAMES]
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <numeric>
#include <thread>
#include <vector>

#include "audio/audio.h"
#include "bench/battle_setup.h"
#include "math/camera.h"
#include "sim/clock.h"
#include "sim/events.h"
#include "sim/generation.h"
#include "sim/simulation.h"

namespace {

constexpr unsigned kSeed = 4242;
constexpr double kFrame = 1.0 / 60.0;
const Vec3 kBattleCentre{0.0f, 5.0f, 0.0f};

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    double now = 100.0;
    setClockSource([&now] { return now; });
    std::srand(kSeed);
    buildGalaxy();
    battle::setUp(400, kBattleCentre, kFrame);
    initCamera();
    camera().eye = kBattleCentre + Vec3{0.0f, 25.0f, -45.0f};
    camera().target = kBattleCentre;
    updateCameraBasis();
    initAudio();

    Galaxy& g = galaxy();
    std::vector<double> costs;
    std::vector<double> checks; // the device watch alone
    std::size_t events = 0;
    const Clock::time_point begin = Clock::now();
    for (int i = 0; i < frames; ++i) {
        now += kFrame;
        g.frameDelta = kFrame;
        g.elapsedTime += kFrame;
        stepSimulation();
        events += frameEvents().size();
        const Clock::time_point start = Clock::now();
        watchAudioDevice(now);
        checks.push_back(millisecondsSince(start));
        updateListener(camera());
        playEvents(frameEvents(), now);
        clearEvents();
        costs.push_back(millisecondsSince(start));
        std::this_thread::sleep_until(begin + std::chrono::duration<double>((i + 1) * kFrame));
    }
    std::sort(costs.begin(), costs.end());
    double total = 0.0;
    for (double c : costs) {
        total += c;
    }
    std::cout << std::fixed << std::setprecision(3) << "sound_bench 400 v 400, " << frames
              << " frames, " << (isAudioActive() ? "device open" : "no device") << ", "
              << std::setprecision(1) << static_cast<double>(events) / frames
              << " events a frame, ms of sound a frame: median " << std::setprecision(3)
              << costs[costs.size() / 2] << "  mean " << total / frames << "  99th percentile "
              << costs[costs.size() * 99 / 100] << "  max " << costs.back()
              << "; of it the device watch: mean "
              << std::accumulate(checks.begin(), checks.end(), 0.0) / frames << "  max "
              << *std::max_element(checks.begin(), checks.end()) << "\n";
    shutdownAudio();
    return 0;
}
