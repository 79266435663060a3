// What the window shows over the scene: the messages bottom left, the fleets,
// frame rate, order plane and shown layer top right, the planet card or the
// selected ships top left, and the pause sign.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/statistics.h"
#include "render/glyph_layout.h"

// Takes the figures of the second's statistics report.
void updateHudStatus(const StatisticsSample& sample);

// The text of one frame at time `now`.
std::vector<TextBlock> hudBlocks(double now);

// The state of the commands that print nothing.
struct CommandState {
    bool paused = false;
    float orderPlaneHeight = 0.0f;
    bool layerGrid = false;
    float bloomFactor = 0.0f;
};

CommandState currentCommandState();

// One message for each thing that differs, saying its new state.
std::vector<std::string> stateChangeMessages(const CommandState& before, const CommandState& after);

// Posts, as it goes out of scope, the messages of what changed while it lived.
class CommandFeedback {
  public:
    CommandFeedback() : before_(currentCommandState()) {}
    ~CommandFeedback();
    CommandFeedback(const CommandFeedback&) = delete;
    CommandFeedback& operator=(const CommandFeedback&) = delete;

  private:
    CommandState before_;
};

// Loads the text overlay and draws the HUD after every composite, unless the
// help, defeat or victory screen covers the window; over the defeat or
// victory screen it draws the game's story instead. Needs the GL context.
void installHud();

// No status, no messages, no card: a new game's overlay. F2's choice stays.
void clearHudText();

// Back to a fresh start: shown, no status, no messages; for tests.
void resetHud();
