#include "app/new_game.h"

#include <iostream>

#include "app/alerts.h"
#include "app/hud.h"
#include "app/keyboard.h"
#include "app/window_words.h"
#include "audio/audio.h"
#include "math/camera.h"
#include "render/billboard.h"
#include "render/quads.h"
#include "render/render_state.h"
#include "render/sun_pass.h"
#include "sim/events.h"
#include "sim/galaxy.h"
#include "sim/game_record.h"
#include "sim/generation.h"

namespace {

// One line per record of a game's state; a record added to the game adds its
// reset here. The window's own state (size, cursor, wheel, keys held) and the
// player's display switches belong to the session and stay as they are.
constexpr void (*kGameRecordResets[])() = {
    resetGalaxy,   // planets, ships, end flags, clock, speed, pause, id counters
    clearEvents,   // the last frame's events, not yet heard
    resetKeyboard, // intro skip, order plane, readouts, double taps, fire key, control groups
    clearHudText,  // fleet status, messages, planet card
    [] { consoleWords().reset(); }, // the count of the computer's new trade routes
    [] { // the scene's draw counters and layer filter, the sun back where it rises
        renderState().drawnShipCount = 0;
        renderState().drawnPlanetCount = 0;
        renderState().layerFilter = kAllLayers;
        setSunPosition(kSunStartPosition);
    },
    initCamera,   // the camera's start, the window's aspect kept
    restartMusic, // the jingle and every voice stopped, the music from its start, cues heard again
    resetGameRecord,              // the end screen's counts and graph
    [] { gameAlerts().reset(); }, // the alerts and their quiet times per place
};

} // namespace

void resetGameRecords() {
    for (void (*reset)() : kGameRecordResets) {
        reset();
    }
}

void startNewGame() {
    resetGameRecords();
    buildGalaxy(); // not reseeded: the next galaxy of the same random stream
    buildBalanceBars();
    buildQuads();
    camera().eye = {50.0f, 50.0f, 50.0f};
    camera().target = {0.0f, 0.0f, 0.0f};
    updateCameraBasis();
    std::cout << "New galaxy" << std::endl;
}
