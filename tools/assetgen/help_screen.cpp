// The F1 help overlay: every key and mouse command, grouped, as key caps and text.
#include <string>
#include <vector>

#include "screen_art.h"
#include "screens.h"
#include "sprites.h"
#include "text.h"

namespace assetgen {

namespace {

// A row's controls are written as "[Key]" for a key cap, "{Mouse}" for a mouse
// action and anything else as plain joining text, e.g. "[Ctrl] + [A]".
struct Binding {
    std::string controls;
    std::string action;
};

struct Group {
    std::string title;
    std::vector<Binding> bindings;
};

const std::vector<Group> kColumn1{
    {"CAMERA",
     {{"[W] [A] [S] [D]", "Pan the view"},
      {"[↑] [←] [↓] [→]", "Pan the view"},
      {"[Q] [E]  [Num −] [Num +]", "Zoom out / in"},
      {"{Wheel}", "Zoom out / in"},
      {"[Alt] + [A] / [D]", "Orbit left / right"},
      {"[Alt] + [W] / [S]", "Tilt up / down"},
      {"[PgUp] / [PgDn]", "Tilt up / down"},
      {"[Alt] + [R] / [F]", "Raise / lower the camera"},
      {"{Cursor at edge}", "Scroll the view"},
      {"[Alt] + {Cursor at edge}", "Orbit the view"}}},
    {"CONTROL GROUPS",
     {{"[Ctrl] + [0]…[9]", "Store the selected ships"},
      {"[0]…[9]", "Select the group"},
      {"[0]…[9]  twice quickly", "Jump to the group"}}},
};

const std::vector<Group> kColumn2{
    {"SELECTION AND ORDERS",
     {{"{Left click}", "Select own ship or planet"},
      {"{Left drag}", "Select all in the box"},
      {"[Shift] + {Click / drag}", "Add to the selection"},
      {"[<] + {Drag}", "Select ships only"},
      {"[<] + [Shift] + {Drag}", "Add own planets only"},
      {"[Ctrl] + [A]", "Select all your ships"},
      {"[Ctrl] + [Y]", "Select all your planets"},
      {"{Right click}", "Move ships / set rally point"},
      {"{Right click} planet", "Open a trade route to it"},
      {"[Shift] + {Right click}", "Queue a waypoint"},
      {"[Ctrl] + {Right click}", "Fire at the enemy ship"},
      {"[X] + {Left click}", "Fire lasers"},
      {"[R] / [F]", "Raise / lower order plane"},
      {"[C]", "Order plane off"},
      {"[Num 1] [Num 2] [Num 3]", "Show one planet layer"},
      {"[Num 0]", "All layers, order plane off"}}},
};

const std::vector<Group> kColumn3{
    {"DISPLAY",
     {{"[F1]", "This help on / off"},
      {"[F2]", "Messages and status on / off"},
      {"[F3]", "Wireframe ships"},
      {"[F4]", "Texture filter: linear / nearest"},
      {"[F5]", "Mipmaps: off / linear / nearest"},
      {"[F6]", "Colours: standard / red-green safe"},
      {"[F8]", "Frustum culling on / off"},
      {"[F9]", "Transparency on / off"},
      {"[F10]", "Bloom on / off"},
      {"[, ] / [ .]", "Bloom weaker / stronger"},
      {"[F11]", "Lens flare on / off"},
      {"[Z]", "Trade routes on / off"},
      {"[G]", "Layer grid on / off"},
      {"[L]", "Debug info on / off"}}},
    {"GAME",
     {{"[P]", "Pause / resume"},
      {"[M]", "Sound on / off"},
      {"[Esc]", "Skip the intro flight"},
      {"[Alt] + [Enter]", "Full screen / window"},
      {"[Alt] + [F4]", "Quit the game"},
      {"[O] / [I]", "Attack randomness ±10"},
      {"[+] / [#]", "Spawn speed readout ±0.3"}}},
};

// Small enough for the longest column, the third, to end clear of the bottom.
constexpr float kRowHeight = 27;
constexpr int kKeyTextSize = 14;
constexpr int kActionTextSize = 16;

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

float groupHeight(const Group& g) {
    return 44 + g.bindings.size() * kRowHeight;
}

// Draws groups of bindings stacked in one column; returns the y below the last panel.
float drawColumn(Image& image, TextRenderer& text, const std::vector<Group>& groups, float x,
                 float y, float width, float keyAreaWidth) {
    for (const Group& g : groups) {
        const float h = groupHeight(g);
        image.fillRoundedRect(x, y, x + width, y + h - 8, 10, kPanel);
        image.strokeRoundedRect(x, y, x + width, y + h - 8, 10, 1.2f, kPanelBorder);
        text.draw(image, g.title, x + 16, y + 27, FontFace::SansBold, 17, kHeading);
        image.fillRect(int(x + 16), int(y + 34), int(x + width - 16), int(y + 35),
                       hexColor(0x284766));
        float rowY = y + 34 + kRowHeight - 4;
        for (const Binding& b : g.bindings) {
            drawControls(image, text, b.controls, x + 16, rowY);
            text.draw(image, b.action, x + 16 + keyAreaWidth, rowY - 1, FontFace::Condensed,
                      kActionTextSize, kActionText);
            rowY += kRowHeight;
        }
        y += h + 4;
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
    const float column1End = drawColumn(image, text, kColumn1, 40, top, width, 222);
    drawGoals(image, text, 40, column1End, width, kScreenHeight - 16);
    drawColumn(image, text, kColumn2, 40 + width + gutter, top, width, 212);
    drawColumn(image, text, kColumn3, 40 + 2 * (width + gutter), top, width, 116);
    return image;
}

} // namespace assetgen
