// What the on-screen messages cost a frame, and what a burst leaves on show.
// Each case prints its text through the console's line splitter into the
// message list, then times what every frame does with it: the rows on show
// and their layout in a 1440 x 780 window (the vertex upload is 54 floats a
// quad). No GL: the glyph advances come from the atlas image, each glyph
// inked over its whole cell.
//   text_bench [ATLAS] [FRAMES]     (ATLAS default ./Textures/glyphs.png)
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <FreeImage.h>

#include "app/console_capture.h"
#include "app/messages.h"
#include "render/glyph_layout.h"

namespace {

constexpr glm::vec2 kWindow{1440.0f, 780.0f};
constexpr double kNow = 100.0;
constexpr int kFloatsPerQuad = 54;

GlyphSet readAdvances(const char* path) {
    FIBITMAP* loaded = FreeImage_Load(FIF_PNG, path);
    FIBITMAP* image = loaded != nullptr ? FreeImage_ConvertTo32Bits(loaded) : nullptr;
    if (image == nullptr) {
        std::cerr << "cannot read " << path << "\n";
        std::exit(1);
    }
    GlyphSet glyphs{};
    const BYTE* top = FreeImage_GetScanLine(image, GlyphAtlas::Height - 1);
    for (int i = 0; i < GlyphAtlas::GlyphCount; ++i) {
        const glm::vec2 cell{GlyphAtlas::CellWidth, GlyphAtlas::CellHeight};
        glyphs[static_cast<std::size_t>(i)] = {top[4 * i + FI_RGBA_RED] / 4.0f,
                                               {glm::vec2(0.0f), i == 0 ? glm::vec2(0.0f) : cell}};
    }
    FreeImage_Unload(image);
    FreeImage_Unload(loaded);
    return glyphs;
}

// Prints `text` through a splitter into `list`, as the game's console does.
void print(MessageList& list, const std::string& text, double at) {
    std::stringbuf console;
    LineSplitter splitter(&console, [&](const std::string& line) { list.post(line, at); });
    std::ostream out(&splitter);
    out << text << std::flush;
}

struct FrameCost {
    std::size_t rows = 0;
    std::size_t quads = 0;
    double microseconds = 0.0;
};

FrameCost frameCost(const MessageList& list, const GlyphSet& glyphs, int frames) {
    FrameCost cost;
    std::vector<double> samples;
    for (int frame = 0; frame < frames; ++frame) {
        const auto start = std::chrono::steady_clock::now();
        TextBlock block{TextAnchor::BottomLeft, 1.0f, {}};
        for (const ShownMessage& message : list.shown(kNow)) {
            block.lines.push_back({message.text, glm::vec4(message.opacity)});
        }
        const PlacedText placed = placeBlocks({block}, kWindow, glyphs);
        samples.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
        cost.rows = block.lines.size();
        cost.quads = placed.panels.size() + placed.glyphs.size();
    }
    std::sort(samples.begin(), samples.end());
    cost.microseconds = samples[samples.size() / 2];
    return cost;
}

void showRows(const MessageList& list, double at) {
    std::cout << "  on show " << at - kNow << " s after the burst:\n";
    for (const ShownMessage& message : list.shown(at)) {
        std::cout << "    " << message.text.substr(0, 60) << "\n";
    }
}

} // namespace

int main(int argc, char** argv) {
    const GlyphSet glyphs = readAdvances(argc > 1 ? argv[1] : "./Textures/glyphs.png");
    const int frames = argc > 2 ? std::max(1, std::atoi(argv[2])) : 2000;
    const std::pair<const char*, std::string> cases[] = {
        {"200-character line", std::string(200, 'x') + "\n"},
        {"5,000-character line", std::string(5000, 'x') + "\n"},
        {"5,000 characters, no newline, flushed", std::string(5000, 'x')},
        {"200 three-byte characters",
         [] {
             std::string text;
             for (int i = 0; i < 200; ++i) {
                 text += "\xe2\x82\xac";
             }
             return text + "\n";
         }()},
    };
    std::cout << std::left << std::setw(40) << "case"
              << "rows  quads  floats/frame  us/frame\n";
    for (const auto& [name, text] : cases) {
        MessageList list;
        print(list, text, kNow);
        const FrameCost cost = frameCost(list, glyphs, frames);
        std::cout << std::setw(40) << name << std::setw(6) << cost.rows << std::setw(7)
                  << cost.quads << std::setw(14) << cost.quads * kFloatsPerQuad << std::fixed
                  << std::setprecision(1) << cost.microseconds << "\n";
    }
    MessageList list;
    for (const char* older : {"Switched to Window Mode", "SPAWN SPEED:2", "Game paused"}) {
        print(list, std::string(older) + "\n", kNow - 1.0);
    }
    std::string burst;
    for (int i = 0; i < 400; ++i) {
        burst += "MAX:2 t:" + std::to_string(i % 7) + "\n";
    }
    print(list, burst, kNow);
    const FrameCost cost = frameCost(list, glyphs, frames);
    std::cout << std::setw(40) << "3 older lines, then a 400-line burst" << std::setw(6)
              << cost.rows << std::setw(7) << cost.quads << std::setw(14)
              << cost.quads * kFloatsPerQuad << cost.microseconds << "\n";
    showRows(list, kNow);
    showRows(list, kNow + 2.9);
    return 0;
}
