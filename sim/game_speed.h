// The game's speed, Galaxy.speed: how many seconds of game time a second of
// the frame clock is worth. Faster speeds take more steps of the frame's
// time, the slow one shorter steps, so no step is ever longer than at normal
// speed and every result stays what the rules give.
#pragma once

#include <array>

// Half, normal, double and four times; a new galaxy starts at normal speed.
inline constexpr std::array<double, 4> kGameSpeeds{0.5, 1.0, 2.0, 4.0};

// One step up (+1) or down (-1) the speeds, stopping at either end; returns
// the new speed.
double stepGameSpeed(int direction);

// The steps one frame of `frameTime` seconds takes at `speed`, and each one's length.
struct FrameSteps {
    int count;
    double length;
};
FrameSteps frameSteps(double frameTime, double speed);

// Advances the world by one frame at the galaxy's speed: each step sets
// Galaxy.frameDelta to its length, adds it to Galaxy.elapsedTime and runs
// stepSimulation (which does nothing while paused). Stops early once the
// game has ended, as the main loop would. Leaves Galaxy.frameDelta at the
// frame's own time for the camera and the sun, which keep the window's pace.
void advanceFrame(double frameTime);
