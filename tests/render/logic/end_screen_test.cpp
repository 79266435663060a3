// The end screen's panel at the usual window and at half of it: inside the
// window, under the end image's own words and above the prompt's, text tall
// enough to read, the table clear of the graphs, and the graphs in the
// active palette's side colours.
#include <gtest/gtest.h>

#include "app/end_screen.h"
#include "render/end_screen.h"

namespace {

bool inside(const PixelRect& r, const PixelRect& box) {
    return r.min.x >= box.min.x && r.min.y >= box.min.y && r.max.x <= box.max.x &&
           r.max.y <= box.max.y;
}

TEST(EndScreenTest, ThePanelReadsAtFullAndHalfSizeInTheSideColours) {
    GlyphSet glyphs;
    glyphs.fill({18.0f, {{1.0f, 6.0f}, {17.0f, 34.0f}}});
    GameRecord record;
    record.length = 754.0;
    for (std::size_t s = 0; s <= 754; ++s) {
        record.samples.push_back({{s / 4, 300 - s / 3}, {1 + s / 100, 9 - s / 100}});
    }
    for (const PaletteKind kind : {PaletteKind::Standard, PaletteKind::RedGreenSafe}) {
        const Palette& palette = paletteOf(kind);
        for (const glm::vec2& window : {glm::vec2(1440, 810), glm::vec2(720, 405)}) {
            const float wordsTop = endScreenWordsTop(window, glyphs);
            const PixelRect panel = endScreenPanel(window, wordsTop);
            EXPECT_TRUE(inside(panel, {{0.0f, 0.4f * window.y}, {window.x, wordsTop}})) << window.y;
            const PlacedText placed = layoutEndScreen(record, palette, window, glyphs, wordsTop);
            float graphLeft = window.x, low = 0.0f;
            int sideLines[2] = {};
            for (const PlacedQuad& q : placed.panels) {
                EXPECT_TRUE(inside(q.quad.screen, panel));
                sideLines[0] += q.color == palette.playerText;
                sideLines[1] += q.color == palette.computerText;
                if (q.color == palette.playerText || q.color == palette.computerText) {
                    graphLeft = std::min(graphLeft, q.quad.screen.min.x);
                }
            }
            for (const PlacedQuad& q : placed.glyphs) {
                EXPECT_TRUE(inside(q.quad.screen, panel));
                EXPECT_GE(q.quad.screen.max.y - q.quad.screen.min.y, 12.0f) << window.y;
                // No word of the table runs into the graphs.
                EXPECT_TRUE(q.quad.screen.max.x <= graphLeft ||
                            q.quad.screen.min.x >= graphLeft - 4.0f);
                low = std::max(low, q.quad.screen.max.x <= graphLeft ? q.quad.screen.min.y : 0.0f);
            }
            EXPECT_GT(low - panel.min.y, 0.6f * (panel.max.y - panel.min.y)); // a row a line
            // Both sides' lines in both charts, a step every two pixels or so.
            EXPECT_GT(std::min(sideLines[0], sideLines[1]), 2 * 0.2f * window.x) << window.x;
            EXPECT_LT(graphLeft, 0.5f * window.x);
        }
    }
}

} // namespace
