#include "app/intro.h"

#include "app/app_state.h"
#include "app/keyboard.h"
#include "math/camera.h"
#include "platform/window.h"
#include "render/renderer.h"
#include "sim/galaxy.h"

const std::vector<IntroPhase>& introPhases() {
    // Swing round the galaxy one way, then back, then dive in and pull back.
    static const std::vector<IntroPhase> phases{
        {3.0,
         [] {
             orbitEyeLeft();
             camera().viewChanged = true;
         }},
        {3.0,
         [] {
             orbitEyeRight();
             camera().viewChanged = true;
         }},
        {0.3,
         [] {
             zoomIn();
             orbitEyeDown();
         }},
        {0.25, [] { panBackward(); }},
    };
    return phases;
}

namespace {
void playPhase(const IntroPhase& phase, const IntroHooks& hooks) {
    const double phaseStart = hooks.clock();
    double previousTime = phaseStart;
    while (hooks.clock() - phaseStart <= phase.duration && !appState().introSkipped &&
           hooks.windowOpen()) {
        hooks.renderFrame();
        phase.cameraMoves();
        galaxy().frameDelta = hooks.clock() - previousTime;
        previousTime = hooks.clock();
    }
}
} // namespace

void playIntro(const std::vector<IntroPhase>& phases, const IntroHooks& hooks) {
    for (const IntroPhase& phase : phases) {
        playPhase(phase, hooks);
    }
}

void playIntro() {
    appState().introPlaying = true;
    playIntro(introPhases(), {windowClock, renderFrame, isWindowOpen});
    appState().introPlaying = false;
}
