#include "sim/game_speed.h"

#include <algorithm>
#include <iterator>

#include "sim/galaxy.h"
#include "sim/game_record.h"
#include "sim/simulation.h"

double stepGameSpeed(int direction) {
    double& speed = galaxy().speed;
    const auto at = std::find(kGameSpeeds.begin(), kGameSpeeds.end(), speed);
    const long index = at == kGameSpeeds.end() ? 1 : std::distance(kGameSpeeds.begin(), at);
    const long last = static_cast<long>(kGameSpeeds.size()) - 1;
    speed = kGameSpeeds[static_cast<std::size_t>(std::clamp(index + direction, 0L, last))];
    return speed;
}

FrameSteps frameSteps(double frameTime, double speed) {
    if (speed < 1.0) {
        return {1, frameTime * speed};
    }
    return {static_cast<int>(speed), frameTime};
}

void advanceFrame(double frameTime) {
    Galaxy& g = galaxy();
    const FrameSteps steps = frameSteps(frameTime, g.speed);
    for (int i = 0; i < steps.count && !g.playerDefeated && !g.playerVictorious; ++i) {
        g.frameDelta = steps.length;
        g.elapsedTime += steps.length;
        stepSimulation();
        recordGameStep(); // the end screen's story, step by step
    }
    g.frameDelta = frameTime;
}
