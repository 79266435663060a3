#include "app/keyboard.h"

#include <algorithm>
#include <iostream>
#include <utility>

#include "app/control_groups.h"
#include "app/hud.h"
#include "app/window_modes.h"
#include "audio/audio.h"
#include "math/camera.h"
#include "platform/keys.h"
#include "platform/window.h"
#include "render/palette.h"
#include "render/render_state.h"
#include "sim/clock.h"
#include "sim/combat.h"
#include "sim/galaxy.h"

namespace {

constexpr float kOrderPlaneStep = 2.5f;
constexpr float kOrderPlaneTop = 30.0f;
constexpr float kSpawnSpeedStep = 0.3f;
constexpr float kBloomStep = 0.1f;
constexpr int kRandomnessStep = 10;
constexpr double kDoubleTapSeconds = 0.35;

int lastDigitKey = -1;
double lastDigitTime = 0.0;
bool enterHeld = false; // auto-repeat must not switch the window mode again
std::function<bool()> windowCheck;

bool isDigitKey(int key) {
    return key >= '0' && key <= '9';
}

bool anyDigitDown() {
    for (int key = '0'; key <= '9'; ++key) {
        if (isKeyDown(key)) {
            return true;
        }
    }
    return false;
}

const char* activation(bool on) {
    return on ? "activated" : "deactivated";
}

void toggleAndReport(bool& value, const char* name) {
    value = !value;
    std::cout << name << activation(value) << std::endl;
}

// Stage 1: switches that act on any event while their key is held.
void heldSwitches() {
    if (isKeyDown(Key::F1)) {
        toggleAndReport(renderState().settings.showHelp, "Help ");
    }
    if (isKeyDown(Key::function(11))) {
        toggleAndReport(renderState().settings.lensFlareEnabled, "LenseFlare ");
    }
    if (isKeyDown(Key::function(9))) {
        toggleAndReport(renderState().settings.transparencyEnabled, "Transparency ");
    }
    if (isKeyDown(Key::Escape)) {
        appState().introSkipped = true;
    }
    if (isKeyDown('C')) {
        appState().orderPlaneHeight = kOrderPlaneOff;
    }
    if (isKeyDown('P')) {
        galaxy().paused = !galaxy().paused;
    }
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

// Stage 2: commands of the released key itself.
void releaseCommand(int key) {
    RenderSettings& settings = renderState().settings;
    const bool altDown = isKeyDown(Key::LeftAlt);
    switch (key) {
    case 'R':
        if (appState().orderPlaneHeight < kOrderPlaneTop && !altDown) {
            appState().orderPlaneHeight += kOrderPlaneStep;
        }
        break;
    case 'F':
        if (appState().orderPlaneHeight >= kOrderPlaneStep && !altDown) {
            appState().orderPlaneHeight -= kOrderPlaneStep;
        }
        break;
    case Key::function(2):
        appState().hudShown = !appState().hudShown;
        break;
    case Key::function(6):
        std::cout << togglePalette() << std::endl;
        break;
    case 'Z':
        toggleAndReport(settings.showTradeRoutes, "Trade Routes ");
        break;
    case '#':
        appState().spawnSpeed -= kSpawnSpeedStep;
        reportSpawnSpeed();
        break;
    case '+':
        appState().spawnSpeed += kSpawnSpeedStep;
        reportSpawnSpeed();
        break;
    case 'G':
        settings.showLayerGrid = !settings.showLayerGrid;
        break;
    case 'M':
        setMuted(!isMuted());
        std::cout << (isMuted() ? "Sound off" : "Sound on") << std::endl;
        break;
    case 'L':
        appState().debugInfo = !appState().debugInfo;
        std::cout << "DEBUG INFO:" << (appState().debugInfo ? 1 : 0) << std::endl;
        break;
    case Key::function(10):
        settings.bloomEnabled = !settings.bloomEnabled;
        reportFlag(" Bloom : ", settings.bloomEnabled);
        break;
    case Key::function(3):
        settings.wireframe = !settings.wireframe;
        reportFlag(" Wireframe Mode : ", settings.wireframe);
        break;
    case Key::function(4):
        cycleFilter();
        break;
    case Key::function(5):
        cycleMipmap();
        break;
    case Key::function(8):
        settings.frustumCulling = !settings.frustumCulling;
        reportFlag(" Frustum Culling : ", settings.frustumCulling);
        break;
    case ',': {
        const float lowered = settings.bloomFactor - kBloomStep;
        settings.bloomFactor = lowered > 0.0f ? lowered : 0.0f;
        break;
    }
    case '.':
        settings.bloomFactor += kBloomStep;
        break;
    default:
        break;
    }
}

// Stage 3: the attack randomness, printed without a newline.
void heldRandomnessKeys() {
    int& randomness = galaxy().attackRandomness;
    if (isKeyDown('O')) {
        randomness += kRandomnessStep;
        std::cout << "Ship Attack Randomness :" << randomness << std::flush;
    }
    if (isKeyDown('I')) {
        randomness = std::max(0, randomness - kRandomnessStep);
        std::cout << "Ship Attack Randomness :" << randomness << std::flush;
    }
}

// Stage 4: a second tap of the same digit within 0.35 s jumps to the group.
void doubleTapJump(int key) {
    if (isKeyDown(Key::LeftCtrl) || isKeyDown(Key::LeftShift) || !anyDigitDown()) {
        return;
    }
    const double now = currentTime();
    if (now - lastDigitTime < kDoubleTapSeconds && key == lastDigitKey && isDigitKey(key)) {
        if (const ShipRef ship = firstShipOfGroup(key - '0')) {
            jumpCameraTo(ship->position.x, ship->position.y, ship->position.z);
        }
    }
    lastDigitKey = key;
    lastDigitTime = now;
}

// Stage 5: Ctrl+digit stores the selection, a digit recalls it.
void controlGroupCommand(int key, int action) {
    if (action != KeyAction::Press || !isDigitKey(key)) {
        return;
    }
    if (isKeyDown(Key::LeftCtrl)) {
        storeControlGroup(key - '0');
    } else {
        recallControlGroup(key - '0');
    }
}

// Stage 6: Ctrl+A selects the whole fleet, Ctrl+Y every own planet.
void selectAllCommands() {
    if (!isKeyDown(Key::LeftCtrl)) {
        return;
    }
    Galaxy& g = galaxy();
    const auto selectSide = [&g](bool ships) {
        for (const ShipRef& ship : g.playerShips) {
            ship->selected = ships;
        }
        for (const auto& planet : g.planets) {
            if (planet->owner == Side::Player) {
                planet->selected = !ships;
            }
        }
    };
    // Two checks: with A and Y both held, Y has the last word.
    if (isKeyDown('A')) {
        selectSide(true);
    }
    if (isKeyDown('Y')) {
        selectSide(false);
    }
}

// Stage 8: the keypad picks the planet layer on show.
void layerKeys() {
    if (isKeyDown(Key::keypad(0))) {
        renderState().layerFilter = kAllLayers;
        appState().orderPlaneHeight = kOrderPlaneOff;
    }
    for (int layer = 0; layer < 3; ++layer) {
        if (isKeyDown(Key::keypad(layer + 1))) {
            renderState().layerFilter = layer;
        }
    }
}

// Left Ctrl is the targeted-fire modifier: selected ships hold their fire
// while it is down, and once more right after it is let go.
void trackTargetedFireKey(int key, int action) {
    if (key != Key::LeftCtrl) {
        return;
    }
    TargetedFireKey& fireKey = targetedFireKey();
    fireKey.held = action != KeyAction::Release;
    if (action == KeyAction::Release) {
        fireKey.releasedMarker = true;
    }
}

void altEnter(int key, int action) {
    if (key != Key::Enter) {
        return;
    }
    const bool firstPress = action == KeyAction::Press && !enterHeld;
    enterHeld = action == KeyAction::Press;
    if (firstPress && isKeyDown(Key::LeftAlt)) {
        toggleWindowMode();
    }
}

} // namespace

void handleKey(int key, int action) {
    if (isWindowCloseRequested()) {
        return; // the game is over: the release of Alt+F4 must not run F4's command
    }
    // Pause, order plane, layer grid and bloom strength print nothing; the
    // window shows their new state.
    const CommandFeedback feedback;
    trackTargetedFireKey(key, action);
    const bool open = isGameWindowOpen();
    if (open) {
        heldSwitches();
    }
    if (action == KeyAction::Release) {
        releaseCommand(key);
    }
    if (open) {
        heldRandomnessKeys();
        doubleTapJump(key);
    }
    controlGroupCommand(key, action);
    if (open) {
        selectAllCommands();
    }
    if (key == Key::function(4) && action == KeyAction::Press && isKeyDown(Key::LeftAlt)) {
        requestWindowClose(); // the main loop notices at its next window check
        return;
    }
    if (open) {
        layerKeys();
    }
    altEnter(key, action);
}

void pollCameraKeys() {
    const bool alt = isKeyDown(Key::LeftAlt);
    const bool ctrl = isKeyDown(Key::LeftCtrl);
    const auto down = [](int key) { return isKeyDown(key); };
    if (down(Key::Right) || (down('D') && !alt)) {
        panRight();
    }
    if (down(Key::Left) || (down('A') && !alt && !ctrl)) {
        panLeft();
    }
    if (down(Key::Up) || (down('W') && !alt)) {
        panForward();
    }
    if (down(Key::Down) || (down('S') && !alt)) {
        panBackward();
    }
    if (down('R') && alt) {
        panUp();
    }
    if (down('F') && alt) {
        panDown();
    }
    if (down('A') && alt && !ctrl) {
        orbitEyeLeft();
    }
    if (down('D') && alt) {
        orbitEyeRight();
    }
    if (down(Key::KeypadAdd) || down('E')) {
        zoomIn();
    }
    if (down(Key::KeypadSubtract) || down('Q')) {
        zoomOut();
    }
    if (down(Key::PageUp) || (down('W') && alt)) {
        orbitEyeUp();
    }
    if (down(Key::PageDown) || (down('S') && alt)) {
        orbitEyeDown();
    }
}

void setKeyboardWindowCheck(std::function<bool()> check) {
    windowCheck = std::move(check);
}

bool isGameWindowOpen() {
    return windowCheck ? windowCheck() : isWindowOpen();
}

void resetKeyboard() {
    appState().introSkipped = false;
    appState().orderPlaneHeight = kOrderPlaneOff;
    appState().spawnSpeed = 0.35f;
    appState().debugInfo = false;
    lastDigitKey = -1;
    lastDigitTime = 0.0;
    enterHeld = false;
    targetedFireKey() = TargetedFireKey{};
    clearControlGroups();
}
