#include "render/end_screen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "render/render_state.h"
#include "render/text_overlay.h"

namespace {

constexpr glm::vec4 kPanelColor{0.0f, 0.0f, 0.0f, 0.62f};
constexpr glm::vec4 kPlotColor{0.0f, 0.0f, 0.0f, 0.45f};
constexpr glm::vec4 kAxisColor{0.55f, 0.6f, 0.7f, 0.8f};
constexpr glm::vec4 kTextColor{0.92f, 0.94f, 1.0f, 1.0f};
constexpr glm::vec4 kLabelColor{0.75f, 0.8f, 0.9f, 1.0f};
constexpr int kTableRows = 8; // the length, the heading and six figures

// One row of text: the line height follows the window, never below what
// reads at half the usual window.
float rowHeight(glm::vec2 window) {
    return std::clamp(window.y / 32.0f, 18.0f, 40.0f);
}

struct Canvas {
    PlacedText text;
    const GlyphSet& glyphs;
    float row;
    float scale() const { return row / GlyphAtlas::CellHeight; }

    void rect(glm::vec2 min, glm::vec2 max, glm::vec4 color) {
        text.panels.push_back({{{min, max}, solidTexel()}, color});
    }
    float width(const std::string& words) const { return lineWidth(words, scale(), glyphs); }
    void words(const std::string& words, glm::vec2 topLeft, glm::vec4 color) {
        for (const GlyphQuad& quad : layoutLine(words, topLeft, scale(), glyphs)) {
            text.glyphs.push_back({quad, color});
        }
    }
    void wordsEndingAt(const std::string& text, float right, float top, glm::vec4 color) {
        words(text, {right - width(text), top}, color);
    }
};

// One side's figure over the game as a line of steps, a step for every two
// pixels, the highest value `top` at the plot's top.
void plotLine(Canvas& canvas, const PixelRect& plot, const std::vector<RecordSample>& samples,
              std::size_t (*value)(const RecordSample&), std::size_t top, glm::vec4 color) {
    if (samples.empty()) {
        return;
    }
    const float thickness = std::max(2.0f, std::round(canvas.row / 9.0f));
    const glm::vec2 size = plot.max - plot.min;
    const int steps = std::max(2, static_cast<int>(size.x / 2.0f));
    const auto heightOf = [&](std::size_t v) {
        const float share =
            static_cast<float>(v) / static_cast<float>(std::max<std::size_t>(top, 1));
        return plot.max.y - thickness - share * (size.y - thickness);
    };
    float previous = 0.0f;
    for (int j = 0; j < steps; ++j) {
        const std::size_t at =
            samples.size() < 2
                ? 0
                : static_cast<std::size_t>(
                      std::lround(static_cast<double>(j) * static_cast<double>(samples.size() - 1) /
                                  static_cast<double>(steps - 1)));
        const float y = heightOf(value(samples[at]));
        const float left = plot.min.x + size.x * static_cast<float>(j) / steps;
        const float right = plot.min.x + size.x * static_cast<float>(j + 1) / steps;
        canvas.rect({left, y}, {right, y + thickness}, color);
        if (j > 0 && previous != y) {
            canvas.rect({left, std::min(previous, y)},
                        {left + thickness, std::max(previous, y) + thickness}, color);
        }
        previous = y;
    }
}

std::size_t playerShips(const RecordSample& s) {
    return s.ships[recordIndex(true)];
}
std::size_t computerShips(const RecordSample& s) {
    return s.ships[recordIndex(false)];
}
std::size_t playerPlanets(const RecordSample& s) {
    return s.developed[recordIndex(true)];
}
std::size_t computerPlanets(const RecordSample& s) {
    return s.developed[recordIndex(false)];
}

struct Chart {
    const char* title;
    std::size_t (*player)(const RecordSample&);
    std::size_t (*computer)(const RecordSample&);
};

// A chart's title row with its scale, then the plot of both sides.
void drawChart(Canvas& canvas, const Chart& chart, const GameRecord& record, const Palette& palette,
               glm::vec2 topLeft, float width, float plotHeight) {
    std::size_t top = 1;
    for (const RecordSample& sample : record.samples) {
        top = std::max({top, chart.player(sample), chart.computer(sample)});
    }
    canvas.words(std::string(chart.title) + " (0 to " + std::to_string(top) + ")", topLeft,
                 kLabelColor);
    const PixelRect plot{topLeft + glm::vec2(0.0f, canvas.row),
                         topLeft + glm::vec2(width, canvas.row + plotHeight)};
    canvas.rect(plot.min, plot.max, kPlotColor);
    canvas.rect({plot.min.x, plot.max.y - 1.0f}, plot.max, kAxisColor);
    canvas.rect(plot.min, {plot.min.x + 1.0f, plot.max.y}, kAxisColor);
    plotLine(canvas, plot, record.samples, chart.computer, top, palette.computerText);
    plotLine(canvas, plot, record.samples, chart.player, top, palette.playerText);
}

void drawTable(Canvas& canvas, const GameRecord& record, const Palette& palette, glm::vec2 topLeft,
               float& right) {
    const std::vector<EndScreenRow> rows = endScreenRows(record);
    float labels = 0.0f;
    float numbers = 0.0f;
    for (const EndScreenRow& row : rows) {
        labels = std::max(labels, canvas.width(row.label));
        numbers = std::max({numbers, canvas.width(row.player), canvas.width(row.computer)});
    }
    const float gap = 0.8f * canvas.row;
    const float playerRight = topLeft.x + labels + gap + numbers;
    const float computerRight = playerRight + gap + numbers;
    canvas.words("Game length " + clockText(record.length), topLeft, kTextColor);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const float y = topLeft.y + canvas.row * static_cast<float>(i + 1);
        const bool heading = i == 0;
        canvas.words(rows[i].label, {topLeft.x, y}, kLabelColor);
        canvas.wordsEndingAt(rows[i].player, playerRight, y,
                             heading ? palette.playerText : kTextColor);
        canvas.wordsEndingAt(rows[i].computer, computerRight, y,
                             heading ? palette.computerText : kTextColor);
    }
    right = computerRight;
}

} // namespace

std::string clockText(double seconds) {
    const long whole = std::max(0L, static_cast<long>(seconds));
    char text[32];
    if (whole >= 3600) {
        std::snprintf(text, sizeof(text), "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60,
                      whole % 60);
    } else {
        std::snprintf(text, sizeof(text), "%ld:%02ld", whole / 60, whole % 60);
    }
    return text;
}

std::vector<EndScreenRow> endScreenRows(const GameRecord& record) {
    const SideTally& you = record.tally[recordIndex(true)];
    const SideTally& enemy = record.tally[recordIndex(false)];
    const auto row = [](const char* label, auto player, auto computer) {
        return EndScreenRow{label, std::to_string(player), std::to_string(computer)};
    };
    return {
        {"", "You", "Enemy"},
        row("Ships at the end", record.fleet[recordIndex(true)], record.fleet[recordIndex(false)]),
        row("Ships built", you.shipsBuilt, enemy.shipsBuilt),
        row("Ships lost", you.shipsLost, enemy.shipsLost),
        row("Largest fleet", you.largestFleet, enemy.largestFleet),
        row("Planets claimed", you.planetsClaimed, enemy.planetsClaimed),
        row("Planets lost", you.planetsLost, enemy.planetsLost)};
}

PixelRect endScreenPanel(glm::vec2 window, float wordsTop) {
    const float row = rowHeight(window);
    const float height = row * (kTableRows + 0.8f);
    // Low, under the end image's own words, and clear of the words under it;
    // in a small window that lifts it a little above the middle.
    const float low = std::clamp(0.5f * window.y + height, 0.88f * window.y, 0.91f * window.y);
    const float bottom = std::min(low, wordsTop - 0.3f * row);
    return {{0.03f * window.x, bottom - height}, {0.97f * window.x, bottom}};
}

PlacedText layoutEndScreen(const GameRecord& record, const Palette& palette, glm::vec2 window,
                           const GlyphSet& glyphs, float wordsTop) {
    Canvas canvas{{}, glyphs, rowHeight(window)};
    const PixelRect panel = endScreenPanel(window, wordsTop);
    const float pad = 0.4f * canvas.row;
    canvas.rect(panel.min, panel.max, kPanelColor);
    const glm::vec2 inside = panel.min + glm::vec2(pad);
    float tableRight = inside.x;
    drawTable(canvas, record, palette, inside, tableRight);
    const float left = tableRight + 1.5f * canvas.row;
    const float width = panel.max.x - pad - left;
    const float plotHeight = 2.5f * canvas.row;
    if (width < 4.0f * canvas.row) {
        return canvas.text; // no room for a graph that reads
    }
    drawChart(canvas, {"Ships", playerShips, computerShips}, record, palette, {left, inside.y},
              width, plotHeight);
    const float second = inside.y + canvas.row + plotHeight;
    drawChart(canvas, {"Developed planets", playerPlanets, computerPlanets}, record, palette,
              {left, second}, width, plotHeight);
    const float axis = second + canvas.row + plotHeight;
    canvas.words("0:00", {left, axis}, kLabelColor);
    canvas.wordsEndingAt(clockText(record.length), left + width, axis, kLabelColor);
    return canvas.text;
}

void drawEndScreen(float wordsTop) {
    const glm::vec2 window{renderState().windowWidth, renderState().windowHeight};
    if (window.x <= 0.0f || window.y <= 0.0f) {
        return;
    }
    drawPlacedText(
        layoutEndScreen(gameRecord(), activePalette(), window, overlayGlyphs(), wordsTop));
}

EndScreenLook endScreenLook() {
    const RenderState& state = renderState();
    return {&activePalette(), state.windowWidth, state.windowHeight, state.settings.showHelp,
            chosenOpponent()};
}
