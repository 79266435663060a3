#include "app/keyboard.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "app/command_handlers.h"
#include "app/command_table.h"
#include "app/control_groups.h"
#include "app/hud.h"
#include "platform/keys.h"
#include "platform/window.h"
#include "sim/clock.h"
#include "sim/combat.h"

namespace {

constexpr double kDoubleTapSeconds = 0.35;

int lastTapKey = -1;
double lastTapTime = 0.0;
// Keys whose last event was a press: auto-repeat and a doubled press must
// not switch the window mode again.
std::array<bool, Key::Last + 1> pressSeen{};
std::function<bool()> windowCheck;

bool modifiersHold(Modifiers modifiers) {
    const std::pair<ModifierBit, int> keys[] = {
        {kCtrlBit, Key::LeftCtrl}, {kShiftBit, Key::LeftShift}, {kAltBit, Key::LeftAlt}};
    for (const auto& [bit, key] : keys) {
        const bool down = isKeyDown(key);
        if (((modifiers.down & bit) && !down) || ((modifiers.up & bit) && down)) {
            return false;
        }
    }
    return true;
}

// The rows in the order they run: by stage, then by command.
const std::vector<const KeyCommand*>& dispatchOrder() {
    static const std::vector<const KeyCommand*> order = [] {
        std::vector<const KeyCommand*> rows;
        for (const KeyCommand& row : keyCommands()) {
            rows.push_back(&row);
        }
        std::stable_sort(rows.begin(), rows.end(), [](const KeyCommand* a, const KeyCommand* b) {
            return std::pair(a->stage, a->command) < std::pair(b->stage, b->command);
        });
        return rows;
    }();
    return order;
}

std::span<const KeyCommand* const> rowsOf(Stage stage) {
    const std::vector<const KeyCommand*>& rows = dispatchOrder();
    const auto first = std::find_if(rows.begin(), rows.end(),
                                    [stage](const KeyCommand* row) { return row->stage == stage; });
    const auto last = std::find_if(first, rows.end(),
                                   [stage](const KeyCommand* row) { return row->stage != stage; });
    return {first, last};
}

// Held stages: every key of the row that is down acts, on any key event.
void runHeld(Stage stage) {
    for (const KeyCommand* row : rowsOf(stage)) {
        for (int key = row->keys.first; key <= row->keys.last; ++key) {
            if (isKeyDown(key) && modifiersHold(row->modifiers)) {
                runCommand(row->command, key);
            }
        }
    }
}

// Release and press stages: the row of the key of the event; true if one acted.
bool runOwnKey(Stage stage, int key) {
    bool acted = false;
    for (const KeyCommand* row : rowsOf(stage)) {
        if (row->keys.contains(key) && modifiersHold(row->modifiers)) {
            runCommand(row->command, key);
            acted = true;
        }
    }
    return acted;
}

void runFirstPress(int key, int action) {
    for (const KeyCommand* row : rowsOf(Stage::FirstPress)) {
        if (!row->keys.contains(key)) {
            continue;
        }
        const bool firstPress = action == KeyAction::Press && !pressSeen.at(key);
        pressSeen.at(key) = action == KeyAction::Press;
        if (firstPress && modifiersHold(row->modifiers)) {
            runCommand(row->command, key);
        }
    }
}

// Any event while a double-tap key is down (its modifiers holding) is
// remembered; the same key again within 0.35 s acts.
void runDoubleTap(int key) {
    bool tapKeyDown = false;
    const KeyCommand* tapped = nullptr;
    for (const KeyCommand* row : rowsOf(Stage::DoubleTap)) {
        if (!modifiersHold(row->modifiers)) {
            continue;
        }
        for (int k = row->keys.first; k <= row->keys.last; ++k) {
            tapKeyDown = tapKeyDown || isKeyDown(k);
        }
        if (row->keys.contains(key)) {
            tapped = row;
        }
    }
    if (!tapKeyDown) {
        return;
    }
    const double now = currentTime();
    if (tapped && key == lastTapKey && now - lastTapTime < kDoubleTapSeconds) {
        runCommand(tapped->command, key);
    }
    lastTapKey = key;
    lastTapTime = now;
}

// Runs one stage for a key event; true when the handler stops after it.
bool runStage(Stage stage, int key, int action) {
    switch (stage) {
    case Stage::Release:
    case Stage::Press:
        if (action == (stage == Stage::Release ? KeyAction::Release : KeyAction::Press)) {
            runOwnKey(stage, key);
        }
        return false;
    case Stage::PressStops:
        return action == KeyAction::Press && runOwnKey(stage, key);
    case Stage::FirstPress:
        runFirstPress(key, action);
        return false;
    case Stage::DoubleTap:
        runDoubleTap(key);
        return false;
    default:
        runHeld(stage);
        return false;
    }
}

bool readsHeldKeys(Stage stage) {
    return stage == Stage::HeldSwitch || stage == Stage::HeldTunable ||
           stage == Stage::HeldSelect || stage == Stage::HeldLayer || stage == Stage::DoubleTap;
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

} // namespace

void handleKey(int key, int action) {
    if (isWindowCloseRequested()) {
        return; // the game is over: the release of Alt+F4 must not run F4's command
    }
    const CommandFeedback feedback;
    trackTargetedFireKey(key, action);
    const bool open = isGameWindowOpen();
    for (int s = 0; s < static_cast<int>(Stage::Polled); ++s) {
        const Stage stage = static_cast<Stage>(s);
        if ((open || !readsHeldKeys(stage)) && runStage(stage, key, action)) {
            return;
        }
    }
}

// Each camera move runs once a frame however many of its keys are down.
void pollCameraKeys() {
    std::optional<CommandId> last;
    for (const KeyCommand* row : rowsOf(Stage::Polled)) {
        if (row->command != last && isKeyDown(row->keys.first) && modifiersHold(row->modifiers)) {
            runCommand(row->command, row->keys.first);
            last = row->command;
        }
    }
}

void setKeyboardWindowCheck(std::function<bool()> check) {
    windowCheck = std::move(check);
}

bool isGameWindowOpen() {
    return windowCheck ? windowCheck() : isWindowOpen();
}

void resetKeyboard() {
    // The keyboard's part of the record back to its start values.
    const AppState start;
    AppState& state = appState();
    state.introSkipped = start.introSkipped;
    state.orderPlaneHeight = start.orderPlaneHeight;
    state.spawnSpeed = start.spawnSpeed;
    state.debugInfo = start.debugInfo;
    lastTapKey = -1;
    lastTapTime = 0.0;
    pressSeen.fill(false);
    targetedFireKey() = TargetedFireKey{};
    clearControlGroups();
}
