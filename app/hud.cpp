#include "app/hud.h"

#include <cstdio>

#include "app/end_screen.h"
#include "app/keyboard.h"
#include "app/messages.h"
#include "app/mouse.h"
#include "app/overview_map_control.h"
#include "app/picking.h"
#include "app/planet_card.h"
#include "app/selection_summary.h"
#include "render/end_screen.h"
#include "render/render_state.h"
#include "render/renderer.h"
#include "render/text_overlay.h"
#include "sim/clock.h"
#include "sim/galaxy.h"

namespace {

constexpr glm::vec4 kStatusColor{0.82f, 0.9f, 1.0f, 1.0f};
constexpr glm::vec4 kMessageColor{1.0f, 0.97f, 0.88f, 1.0f};
constexpr glm::vec4 kPausedColor{1.0f, 0.8f, 0.32f, 1.0f};
constexpr float kPausedSize = 2.2f;

struct HudStatus {
    bool known = false;
    double framesPerSecond = 0.0;
    std::size_t playerShips = 0;
    std::size_t computerShips = 0;
};

HudStatus status;

std::string oneDecimal(float value) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.1f", static_cast<double>(value));
    return text;
}

std::string orderPlaneText(float height) {
    return height < 0.0f ? "Order plane off" : "Order plane at " + oneDecimal(height);
}

TextBlock statusBlock() {
    TextBlock block{TextAnchor::TopRight, 1.0f, {}};
    if (status.known) {
        block.lines.push_back({"Ships: you " + std::to_string(status.playerShips) + ", enemy " +
                                   std::to_string(status.computerShips),
                               kStatusColor});
        block.lines.push_back(
            {std::to_string(static_cast<long>(status.framesPerSecond)) + " FPS", kStatusColor});
    }
    if (appState().orderPlaneHeight >= 0.0f) {
        block.lines.push_back({orderPlaneText(appState().orderPlaneHeight), kStatusColor});
    }
    if (galaxy().speed != 1.0) {
        char speed[32];
        std::snprintf(speed, sizeof(speed), "Game speed x%g", galaxy().speed);
        block.lines.push_back({speed, kStatusColor});
    }
    if (renderState().layerFilter != kAllLayers) {
        block.lines.push_back(
            {"Layer " + std::to_string(renderState().layerFilter + 1), kStatusColor});
    }
    return block;
}

TextBlock messageBlock(double now) {
    TextBlock block{TextAnchor::BottomLeft, 1.0f, {}};
    for (const ShownMessage& message : gameMessages().shown(now)) {
        block.lines.push_back({message.text, kMessageColor * glm::vec4(1, 1, 1, message.opacity)});
    }
    return block;
}

// The planet card, or else the line about the selected ships, top left.
TextBlock selectionBlock(double now) {
    TextBlock block{TextAnchor::TopLeft, 1.0f, {}};
    if (const Planet* planet =
            cardPlanet(planetAtPointer(appState().mouseX, appState().mouseY), now)) {
        block.lines = planetCardLines(*planet);
    } else if (std::string line = selectionSummary(galaxy()); !line.empty()) {
        block.lines.push_back({std::move(line), kStatusColor});
    }
    return block;
}

bool isGameOver() {
    return galaxy().playerDefeated || galaxy().playerVictorious;
}

// The help page covers everything; the end screen has its own words, F2 or not.
void drawHud() {
    if (renderState().settings.showHelp) {
        return;
    }
    if (isGameOver()) {
        // The game's story, with the way to the next one under it.
        const glm::vec2 window{renderState().windowWidth, renderState().windowHeight};
        drawEndScreen(endScreenWordsTop(window, overlayGlyphs()));
        drawTextOverlay(endScreenBlocks());
    } else if (appState().hudShown) {
        drawTextOverlay(hudBlocks(currentTime()));
    }
}

} // namespace

void updateHudStatus(const StatisticsSample& sample) {
    status = {true, sample.framesCounted, sample.playerShips, sample.computerShips};
}

std::vector<TextBlock> hudBlocks(double now) {
    std::vector<TextBlock> blocks;
    for (TextBlock block : {statusBlock(), messageBlock(now), selectionBlock(now)}) {
        if (!block.lines.empty()) {
            blocks.push_back(std::move(block));
        }
    }
    if (galaxy().paused) {
        blocks.push_back({TextAnchor::Centre, kPausedSize, {{"PAUSED", kPausedColor}}});
    }
    return blocks;
}

CommandState currentCommandState() {
    return {galaxy().paused, appState().orderPlaneHeight, renderState().settings.showLayerGrid,
            renderState().settings.bloomFactor};
}

std::vector<std::string> stateChangeMessages(const CommandState& before,
                                             const CommandState& after) {
    std::vector<std::string> messages;
    if (before.paused != after.paused) {
        messages.emplace_back(after.paused ? "Game paused" : "Game resumed");
    }
    if (before.orderPlaneHeight != after.orderPlaneHeight) {
        messages.push_back(orderPlaneText(after.orderPlaneHeight));
    }
    if (before.layerGrid != after.layerGrid) {
        messages.emplace_back(after.layerGrid ? "Layer grid on" : "Layer grid off");
    }
    if (before.bloomFactor != after.bloomFactor) {
        messages.push_back("Bloom strength " + oneDecimal(after.bloomFactor));
    }
    return messages;
}

CommandFeedback::~CommandFeedback() {
    for (std::string& message : stateChangeMessages(before_, currentCommandState())) {
        postMessage(std::move(message));
    }
}

void installHud() {
    createTextOverlay();
    scenePasses().windowText = drawHud;
}

void clearHudText() {
    status = HudStatus{};
    gameMessages().clear();
    resetPlanetCard();
}

void resetHud() {
    appState().hudShown = true;
    clearHudText();
}
