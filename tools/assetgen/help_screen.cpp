// The F1 help overlay: every key and mouse command of the game's key table,
// grouped, as key caps and text.
#include <cctype>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/command_text.h"
#include "screen_art.h"
#include "screens.h"
#include "sprites.h"
#include "text.h"

namespace assetgen {

namespace {

// One section of the page: a group of the key table with its lines.
struct Section {
    std::string title;
    std::vector<CommandLine> lines;
};

std::vector<Section> sectionsOf(std::initializer_list<Group> groups) {
    std::vector<Section> column;
    for (const Group group : groups) {
        std::string title = groupTitle(group);
        for (char& c : title) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        column.push_back({title, {}});
        for (CommandLine& line : commandLines()) {
            if (line.group == group) {
                column.back().lines.push_back(std::move(line));
            }
        }
    }
    return column;
}

// Small enough for the longest column, the third, to end clear of the bottom.
constexpr float kRowHeight = 23;
constexpr int kKeyTextSize = 14;
constexpr int kActionTextSize = 16;
constexpr float kGoalsHeight = 200; // heading, five lines and the bottom margin

const Color kPanel = hexColor(0x0c1626, 0.92f);
const Color kPanelBorder = hexColor(0x284766);
const Color kHeading = hexColor(0x63d2ff);
const Color kActionText = hexColor(0xdde6f0);
const Color kJoinText = hexColor(0x8da3b8);
const Color kKeyFace = hexColor(0x1d2a3b);
const Color kKeyEdge = hexColor(0x8fb4d6);
const Color kKeyText = hexColor(0xffffff);
const Color kMouseFace = hexColor(0x12332c);
const Color kMouseEdge = hexColor(0x5fd6a8);

// Draws a row's controls from `x` along the baseline `y`.
void drawControls(Image& image, TextRenderer& text, const std::string& controls, float x, float y) {
    size_t i = 0;
    while (i < controls.size()) {
        const char open = controls[i];
        if (open == '[' || open == '{') {
            const char close = open == '[' ? ']' : '}';
            const size_t end = controls.find(close, i + 1);
            const std::string label = controls.substr(i + 1, end - i - 1);
            const FontFace face = open == '[' ? FontFace::CondensedBold : FontFace::Condensed;
            const float w = std::max(24.0f, text.measure(label, face, kKeyTextSize) + 14);
            const bool mouse = open == '{';
            image.fillRoundedRect(x, y - 18, x + w, y + 6, mouse ? 11 : 4,
                                  mouse ? kMouseFace : kKeyFace);
            image.strokeRoundedRect(x, y - 18, x + w, y + 6, mouse ? 11 : 4, 1.3f,
                                    mouse ? kMouseEdge : kKeyEdge);
            text.draw(image, label, x + w * 0.5f, y - 1, face, kKeyTextSize, kKeyText,
                      Align::Centre);
            x += w + 4;
            i = end + 1;
        } else {
            const size_t end = controls.find_first_of("[{", i);
            const std::string join =
                controls.substr(i, end == std::string::npos ? std::string::npos : end - i);
            x += text.draw(image, join, x, y - 1, FontFace::Condensed, 15, kJoinText) + 1;
            i = end == std::string::npos ? controls.size() : end;
        }
    }
}

float sectionHeight(const Section& g) {
    return 44 + g.lines.size() * kRowHeight;
}

// Draws sections stacked in one column; returns the y below the last panel.
// A key table grown past the page stops the build here.
float drawColumn(Image& image, TextRenderer& text, const std::vector<Section>& sections, float x,
                 float y, float width, float keyAreaWidth, float bottom = kScreenHeight) {
    for (const Section& g : sections) {
        const float h = sectionHeight(g);
        image.fillRoundedRect(x, y, x + width, y + h - 8, 10, kPanel);
        image.strokeRoundedRect(x, y, x + width, y + h - 8, 10, 1.2f, kPanelBorder);
        text.draw(image, g.title, x + 16, y + 27, FontFace::SansBold, 17, kHeading);
        image.fillRect(int(x + 16), int(y + 34), int(x + width - 16), int(y + 35),
                       hexColor(0x284766));
        float rowY = y + 34 + kRowHeight - 4;
        for (const CommandLine& line : g.lines) {
            drawControls(image, text, line.controls, x + 16, rowY);
            text.draw(image, line.words, x + 16 + keyAreaWidth, rowY - 1, FontFace::Condensed,
                      kActionTextSize, kActionText);
            rowY += kRowHeight;
        }
        y += h + 4;
    }
    if (y > bottom) {
        throw std::runtime_error("help page: the commands overflow a column");
    }
    return y;
}

// How the game is won, with the two side icons as they appear on the map.
void drawGoals(Image& image, TextRenderer& text, float x, float y, float width, float bottom) {
    image.fillRoundedRect(x, y, x + width, bottom, 10, kPanel);
    image.strokeRoundedRect(x, y, x + width, bottom, 10, 1.2f, kPanelBorder);
    text.draw(image, "HOW TO WIN", x + 16, y + 27, FontFace::SansBold, 17, kHeading);
    image.fillRect(int(x + 16), int(y + 34), int(x + width - 16), int(y + 35), kPanelBorder);
    const char* lines[] = {
        "Park ships beside a planet to claim it.", "Developed planets build ships; trade routes",
        "between your planets make them build faster.",
        "Sink every enemy ship to win. Lose your last", "developed planet and the war is lost."};
    float rowY = y + 58;
    for (const char* line : lines) {
        text.draw(image, line, x + 16, rowY, FontFace::Condensed, kActionTextSize, kActionText);
        rowY += 23;
    }
    // Legend of the map icons, on the heading line.
    const Image player = makePlayerIcon();
    const Image computer = makeComputerIcon();
    const float legendY = y + 27;
    image.drawImage(player, int(x + 160), int(legendY - 19), 24, 24);
    text.draw(image, "You", x + 190, legendY, FontFace::Condensed, kActionTextSize, kActionText);
    image.drawImage(computer, int(x + 240), int(legendY - 19), 24, 24);
    text.draw(image, "Enemy", x + 270, legendY, FontFace::Condensed, kActionTextSize, kActionText);
}

} // namespace

Image makeHelpScreen() {
    Image image(kScreenWidth, kScreenHeight);
    paintStarfield(image, hexColor(0x03050b), hexColor(0x0a1222), 150, 500);
    TextRenderer text;
    drawGlowText(image, text, "VORLAXIS", 40, 62, FontFace::SansBold, 42, hexColor(0xffffff),
                 hexColor(0x3aa0ff, 0.8f), Align::Left);
    text.draw(image, "COMMANDS", 300, 60, FontFace::Sans, 24, hexColor(0x8fb4d6));
    text.draw(image, "F1 closes this page", kScreenWidth - 40, 60, FontFace::Condensed, 18,
              kJoinText, Align::Right);
    image.fillRect(40, 78, kScreenWidth - 40, 80, hexColor(0x3aa0ff, 0.6f));

    const float top = 94, gutter = 16, width = (kScreenWidth - 80 - 2 * gutter) / 3.0f;
    using enum Group;
    // The first column leaves room for the rules of the game below it.
    const float column1End = drawColumn(image, text, sectionsOf({Camera, ControlGroups}), 40, top,
                                        width, 222, kScreenHeight - kGoalsHeight);
    drawGoals(image, text, 40, column1End, width, kScreenHeight - 16);
    drawColumn(image, text, sectionsOf({Selection}), 40 + width + gutter, top, width, 224);
    drawColumn(image, text, sectionsOf({Display, Game}), 40 + 2 * (width + gutter), top, width,
               116);
    return image;
}

} // namespace assetgen
