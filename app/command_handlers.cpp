#include "app/command_handlers.h"

#include <algorithm>
#include <iostream>

#include "app/alerts.h"
#include "app/control_groups.h"
#include "app/hud.h"
#include "app/keyboard.h"
#include "app/opponent_command.h"
#include "app/window_modes.h"
#include "audio/audio.h"
#include "math/camera.h"
#include "platform/keys.h"
#include "platform/window.h"
#include "render/palette.h"
#include "render/render_state.h"
#include "sim/galaxy.h"
#include "sim/game_speed.h"

namespace {

constexpr float kOrderPlaneStep = 2.5f;
constexpr float kOrderPlaneTop = 30.0f;
constexpr float kSpawnSpeedStep = 0.3f;
constexpr float kBloomStep = 0.1f;
constexpr int kRandomnessStep = 10;

const char* activation(bool on) {
    return on ? "activated" : "deactivated";
}

void toggleAndReport(bool& value, const char* name) {
    value = !value;
    std::cout << name << activation(value) << std::endl;
}

void reportSpawnSpeed() {
    std::cout << "SPAWN SPEED:" << appState().spawnSpeed << std::endl;
}

void reportFlag(const char* label, bool value) {
    std::cout << "\n" << label << (value ? 1 : 0) << std::flush;
}

void cycleFilter() {
    renderState().settings.requestedFilter = (renderState().settings.appliedFilter + 1) % 2;
    static const char* const names[] = {"Linear", "Nearest"};
    std::cout << "\n Filter setting: " << names[renderState().settings.requestedFilter]
              << std::flush;
}

void cycleMipmap() {
    renderState().settings.requestedMipmap = (renderState().settings.appliedMipmap + 1) % 3;
    static const char* const names[] = {"Off", "Linear", "Nearest"};
    std::cout << "\n Mipmap setting: " << names[renderState().settings.requestedMipmap]
              << std::flush;
}

void raiseRandomness() {
    int& randomness = galaxy().attackRandomness;
    randomness += kRandomnessStep;
    std::cout << "Ship Attack Randomness :" << randomness << std::flush;
}

void lowerRandomness() {
    int& randomness = galaxy().attackRandomness;
    randomness = std::max(0, randomness - kRandomnessStep);
    std::cout << "Ship Attack Randomness :" << randomness << std::flush;
}

void stepSpawnSpeed(float step) {
    appState().spawnSpeed += step;
    reportSpawnSpeed();
}

void raiseOrderPlane() {
    if (appState().orderPlaneHeight < kOrderPlaneTop) {
        appState().orderPlaneHeight += kOrderPlaneStep;
    }
}

void lowerOrderPlane() {
    if (appState().orderPlaneHeight >= kOrderPlaneStep) {
        appState().orderPlaneHeight -= kOrderPlaneStep;
    }
}

void toggleSound() {
    setMuted(!isMuted());
    std::cout << (isMuted() ? "Sound off" : "Sound on") << std::endl;
}

void toggleDebugInfo() {
    appState().debugInfo = !appState().debugInfo;
    std::cout << "DEBUG INFO:" << (appState().debugInfo ? 1 : 0) << std::endl;
}

void toggleAndFlag(bool& value, const char* label) {
    value = !value;
    reportFlag(label, value);
}

void jumpToGroup(int digit) {
    if (const ShipRef ship = firstShipOfGroup(digit)) {
        jumpCameraTo(ship->position.x, ship->position.y, ship->position.z);
    }
}

// Ctrl+A selects the whole fleet, Ctrl+Y every own planet; with A and Y both
// held, Y runs second and has the last word.
void selectSide(bool ships) {
    Galaxy& g = galaxy();
    for (const ShipRef& ship : g.playerShips) {
        ship->selected = ships;
    }
    for (const auto& planet : g.planets) {
        if (planet->owner == Side::Player) {
            planet->selected = !ships;
        }
    }
}

// The ships without orders, picked out of a crowd; Shift adds them to the selection.
void selectIdleShips() {
    const bool adding = isKeyDown(Key::LeftShift);
    Galaxy& g = galaxy();
    for (const ShipRef& ship : g.playerShips) {
        ship->selected = (adding && ship->selected) || ship->waypoints.empty();
    }
    if (!adding) {
        for (const auto& planet : g.planets) {
            planet->selected = false;
        }
    }
}

// Printed as "Game speed x0.5" up to "Game speed x4"; the window says it as printed.
void stepSpeed(int direction) {
    std::cout << "Game speed x" << stepGameSpeed(direction) << std::endl;
}

// Only the end screen takes Enter; the game loop then starts the next galaxy.
void askForNewGalaxy() {
    if (galaxy().playerDefeated || galaxy().playerVictorious) {
        appState().newGalaxyAsked = true;
    }
}

void showAllLayers() {
    renderState().layerFilter = kAllLayers;
    appState().orderPlaneHeight = kOrderPlaneOff;
}

} // namespace

// Pause, order plane, layer grid and bloom strength print nothing: the window
// shows their new state.
void runCommand(CommandId command, int key) {
    RenderSettings& settings = renderState().settings;
    switch (command) {
    case CommandId::ToggleHelp:
        return toggleAndReport(settings.showHelp, "Help ");
    case CommandId::ToggleLensFlare:
        return toggleAndReport(settings.lensFlareEnabled, "LenseFlare ");
    case CommandId::ToggleTransparency:
        return toggleAndReport(settings.transparencyEnabled, "Transparency ");
    case CommandId::SkipIntro:
        appState().introSkipped = true;
        return;
    case CommandId::OrderPlaneOff:
        appState().orderPlaneHeight = kOrderPlaneOff;
        return;
    case CommandId::TogglePause:
        galaxy().paused = !galaxy().paused;
        return;
    case CommandId::RaiseOrderPlane:
        return raiseOrderPlane();
    case CommandId::LowerOrderPlane:
        return lowerOrderPlane();
    case CommandId::ToggleHud:
        appState().hudShown = !appState().hudShown;
        return;
    case CommandId::ToggleOverviewMap:
        appState().overviewMapShown = !appState().overviewMapShown;
        return;
    case CommandId::TogglePalette:
        std::cout << togglePalette() << std::endl;
        return;
    case CommandId::ToggleTradeRoutes:
        return toggleAndReport(settings.showTradeRoutes, "Trade Routes ");
    case CommandId::SpawnSlower:
        return stepSpawnSpeed(-kSpawnSpeedStep);
    case CommandId::SpawnFaster:
        return stepSpawnSpeed(kSpawnSpeedStep);
    case CommandId::ToggleLayerGrid:
        settings.showLayerGrid = !settings.showLayerGrid;
        return;
    case CommandId::ToggleSound:
        return toggleSound();
    case CommandId::ToggleDebugInfo:
        return toggleDebugInfo();
    case CommandId::ToggleBloom:
        return toggleAndFlag(settings.bloomEnabled, " Bloom : ");
    case CommandId::ToggleWireframe:
        return toggleAndFlag(settings.wireframe, " Wireframe Mode : ");
    case CommandId::CycleFilter:
        return cycleFilter();
    case CommandId::CycleMipmap:
        return cycleMipmap();
    case CommandId::ToggleCulling:
        return toggleAndFlag(settings.frustumCulling, " Frustum Culling : ");
    case CommandId::BloomWeaker:
        settings.bloomFactor = std::max(0.0f, settings.bloomFactor - kBloomStep);
        return;
    case CommandId::BloomStronger:
        settings.bloomFactor += kBloomStep;
        return;
    case CommandId::SelectIdleShips:
        return selectIdleShips();
    case CommandId::MoreRandomness:
        return raiseRandomness();
    case CommandId::LessRandomness:
        return lowerRandomness();
    case CommandId::JumpToGroup:
        return jumpToGroup(key - '0');
    case CommandId::StoreGroup:
        return storeControlGroup(key - '0');
    case CommandId::RecallGroup:
        return recallControlGroup(key - '0');
    case CommandId::JumpToAlert:
        return jumpToLatestAlert();
    case CommandId::GameSlower:
        return stepSpeed(-1);
    case CommandId::GameFaster:
        return stepSpeed(1);
    case CommandId::NewGalaxy:
        return askForNewGalaxy();
    case CommandId::ChooseOpponent:
        return chooseNextOpponent();
    case CommandId::SelectAllShips:
        return selectSide(true);
    case CommandId::SelectAllPlanets:
        return selectSide(false);
    case CommandId::QuitGame:
        return requestWindowClose(); // the main loop notices at its next window check
    case CommandId::ShowAllLayers:
        return showAllLayers();
    case CommandId::ShowLayer:
        renderState().layerFilter = key - Key::keypad(1);
        return;
    case CommandId::ToggleWindowMode:
        return toggleWindowMode();
    case CommandId::PanRight:
        return panRight();
    case CommandId::PanLeft:
        return panLeft();
    case CommandId::PanForward:
        return panForward();
    case CommandId::PanBackward:
        return panBackward();
    case CommandId::RaiseCamera:
        return panUp();
    case CommandId::LowerCamera:
        return panDown();
    case CommandId::OrbitLeft:
        return orbitEyeLeft();
    case CommandId::OrbitRight:
        return orbitEyeRight();
    case CommandId::ZoomIn:
        return zoomIn();
    case CommandId::ZoomOut:
        return zoomOut();
    case CommandId::TiltUp:
        return orbitEyeUp();
    case CommandId::TiltDown:
        return orbitEyeDown();
    case CommandId::MouseHandled:
        return;
    }
}
