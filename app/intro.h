// The short scripted camera flight that opens every game.
#pragma once

#include <functional>
#include <vector>

struct IntroPhase {
    double duration; // seconds
    std::function<void()> cameraMoves;
};

const std::vector<IntroPhase>& introPhases();

// Plays the phases in turn. A phase ends once more than its duration has
// passed, when the intro is skipped, or when the window closes.
void playIntro();
