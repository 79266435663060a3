// The short scripted camera flight that opens every game.
#pragma once

#include <functional>
#include <vector>

struct IntroPhase {
    double duration; // seconds
    std::function<void()> cameraMoves;
};

const std::vector<IntroPhase>& introPhases();

// What the flight needs from the program: the clock, one rendered frame
// (which also handles window events, so Escape can arrive), and whether the
// window is still open.
struct IntroHooks {
    std::function<double()> clock;
    std::function<void()> renderFrame;
    std::function<bool()> windowOpen;
};

// Plays the phases in turn. A phase ends once more than its duration has
// passed, when the intro is skipped, or when the window closes; every camera
// move uses the duration of the previous iteration as its time step.
void playIntro(const std::vector<IntroPhase>& phases, const IntroHooks& hooks);

// The intro as the game plays it.
void playIntro();
