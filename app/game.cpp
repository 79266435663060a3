#include "app/game.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>

#include <FreeImage.h>

#include "app/alerts.h"
#include "app/config.h"
#include "app/console_capture.h"
#include "app/edge_scrolling.h"
#include "app/hud.h"
#include "app/intro.h"
#include "app/keyboard.h"
#include "app/messages.h"
#include "app/new_game.h"
#include "app/overview_map_control.h"
#include "app/scripted_ends.h"
#include "app/statistics.h"
#include "app/window_modes.h"
#include "app/window_words.h"
#include "audio/audio.h"
#include "math/camera.h"
#include "platform/window.h"
#include "render/billboard.h"
#include "render/end_screen.h"
#include "render/gl_check.h"
#include "render/quads.h"
#include "render/renderer.h"
#include "render/scene_passes.h"
#include "render/text_overlay.h"
#include "sim/clock.h"
#include "sim/events.h"
#include "sim/galaxy.h"
#include "sim/game_record.h"
#include "sim/game_speed.h"
#include "sim/generation.h"
#include "sim/simulation.h"

namespace {

bool openWindow() {
    if (initWindowing() && openGameWindow()) {
        return true;
    }
    std::cerr << "Failed to initialize OpenGL window." << std::endl;
    terminateWindowing();
    return false;
}

void placeCamera(const Vec3& eye, const Vec3& target) {
    camera().eye = eye;
    camera().target = target;
    updateCameraBasis();
}

// After the intro the camera looks at the player's home planet, the first
// of the list, from a little above and to one side.
void placeCameraBesideHomePlanet() {
    const auto& planets = galaxy().planets;
    if (planets.empty()) {
        return;
    }
    const Vec3 home = planets.front()->position;
    placeCamera({home.x - 20.0f, 12.5f, home.z - 20.0f}, {home.x, 10.0f, home.z});
}

void startUp() {
    FreeImage_Initialise(FALSE);
    setWindowTitle("Vorlaxis V1.0");
    checkGLContext();
    std::cout << "\nInit..." << std::flush;
    checkGLError();
    loadConfiguration();
    initRenderer();
    installScenePasses(&appState().orderPlaneHeight, &appState().hudShown);
    installOverviewMap();
    installHud();
    initCamera();
    installInputCallbacks();
    generateGalaxy();
    buildBalanceBars();
    buildQuads();
    setBlackClearColor();
    placeCamera({50.0f, 50.0f, 50.0f}, {0.0f, 0.0f, 0.0f});
    initAudio();
}

// After each step the listener follows the camera and the step's events sound.
void playFrameSounds(double now, FrameStatistics& stats) {
    const double start = windowClock();
    watchAudioDevice(now);
    updateListener(camera());
    playEvents(frameEvents(), now);
    announceFrameAlerts(now);
    clearEvents();
    stats.longestSound = std::max(stats.longestSound, windowClock() - start);
}

void reportStatistics(FrameStatistics& stats) {
    const Galaxy& g = galaxy();
    const StatisticsSample sample{stats.framesCounted, renderState().drawnShipCount,
                                  renderState().drawnPlanetCount, g.computerShips.size(),
                                  g.playerShips.size()};
    // The window shows these figures as its status, not as messages.
    printStatistics(uncapturedConsole(), sample);
    // VORLAXIS_FRAME_TIMES=1 adds the second's longest frame and the longest
    // share of one the sound took, on standard error.
    if (std::getenv("VORLAXIS_FRAME_TIMES") != nullptr) {
        std::cerr << "Frame times: longest " << stats.longestFrame * 1e3 << " ms, sound "
                  << stats.longestSound * 1e3 << " ms" << std::endl;
    }
    updateHudStatus(sample);
    startNextSecond(stats);
    renderState().drawnShipCount = 0;
    renderState().drawnPlanetCount = 0;
}

// Returns whether the window is still open when the loop ends; `gameNumber`
// counts the games of this run from 0.
bool runMainLoop(int gameNumber) {
    if (!isWindowOpen()) {
        return false;
    }
    Galaxy& g = galaxy();
    FrameStatistics stats;
    recordGameStep(); // where the game starts
    double previousTime = windowClock();
    while (!g.playerDefeated && !g.playerVictorious) {
        checkGLError();
        const double now = windowClock();
        const double delta = now - previousTime;
        previousTime = now;
        advanceFrame(delta); // as many steps of the frame's time as the game's speed asks
        applyScriptedEnd(gameNumber);
        playFrameSounds(now, stats);
        consoleWords().postDueRouteLine(now);
        renderFrame();
        pollCameraKeys();
        applyEdgeScrolling();
        countFrame(stats, delta);
        if (isReportDue(stats)) {
            reportStatistics(stats);
        }
        if (!isWindowOpen()) {
            return false;
        }
    }
    return true;
}

// F6, F1, B or a new window size change the end screen; it is drawn again then.
void redrawEndScreenIfChanged(EndScreenLook& drawn) {
    if (endScreenLook() != drawn && isWindowOpen()) {
        drawn = endScreenLook();
        renderFrame();
    }
}

// Shows the end screen until the window closes or Enter asks for a new
// galaxy; returns whether it did.
bool endGame(bool windowOpen) {
    if (windowOpen) {
        renderFrame();
    }
    std::cout << (galaxy().playerVictorious ? "EPIC VICTORY"
                                            : "Your empire got crushed - you have lost")
              << std::endl;
    if (windowOpen) {
        playGameOver(galaxy().playerVictorious);
    }
    EndScreenLook drawn = endScreenLook();
    appState().newGalaxyAsked = false;
    while (windowOpen && isWindowOpen() && !appState().newGalaxyAsked) {
        waitWindowEvents();
        redrawEndScreenIfChanged(drawn);
    }
    return windowOpen && isWindowOpen() && appState().newGalaxyAsked;
}

void tearDown() {
    shutdownAudio();
    stopConsoleCapture();
    forgetTextOverlay();
    terminateWindowing();
    destroyGalaxy();
    releaseCamera();
    shutdownRenderer();
}

} // namespace

int runGame() {
    if (!openWindow()) {
        return 1;
    }
    setClockSource(windowClock);
    setCameraStepSource([] { return static_cast<float>(galaxy().frameDelta); });
    startUp();
    // From here on every printed line also shows in the window.
    startConsoleCapture([](const std::string& line) { consoleWords().take(line, currentTime()); });
    // Game after game, each from its intro flight to its end screen.
    for (int gameNumber = 0;; ++gameNumber) {
        playIntro();
        placeCameraBesideHomePlanet();
        if (!endGame(runMainLoop(gameNumber))) {
            break;
        }
        startNewGame();
    }
    tearDown();
    return 0;
}
