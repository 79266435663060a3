#include "app/intro.h"

#include "app/keyboard.h"
#include "app/window.h"
#include "render/renderer.h"
#include "sim/galaxy.h"

const std::vector<IntroPhase>& introPhases() {
    static const std::vector<IntroPhase> phases{
        {3.0, [] {}},
        {3.0, [] {}},
        {0.3, [] {}},
        {0.25, [] {}},
    };
    return phases;
}

namespace {
bool phaseOver(const IntroPhase& phase, double phaseStart) {
    return windowClock() - phaseStart > phase.duration || introSkipped || !isWindowOpen();
}

void playPhase(const IntroPhase& phase) {
    const double phaseStart = windowClock();
    double previousTime = phaseStart;
    while (!phaseOver(phase, phaseStart)) {
        renderFrame();
        phase.cameraMoves();
        // Each move uses the duration of the previous iteration.
        galaxy().frameDelta = windowClock() - previousTime;
        previousTime = windowClock();
    }
}
} // namespace

void playIntro() {
    for (const IntroPhase& phase : introPhases()) {
        playPhase(phase);
    }
}
