#include <gtest/gtest.h>

#include "render/glyph_layout.h"

namespace {

// Every character 10 atlas pixels wide with ink in the middle of its cell,
// 'W' 20 wide; a space has no ink.
GlyphSet testGlyphs() {
    GlyphSet glyphs;
    glyphs.fill({10.0f, {{2.0f, 4.0f}, {14.0f, 36.0f}}});
    glyphs['W' - GlyphAtlas::First].advance = 20.0f;
    glyphs[0].ink = {};
    return glyphs;
}

TEST(GlyphLayoutTest, LaysACharacterPerQuadFromItsCellSkippingSpaces) {
    const GlyphSet glyphs = testGlyphs();
    const std::vector<GlyphQuad> quads = layoutLine("W a\x7f", {100.0f, 50.0f}, 0.5f, glyphs);
    ASSERT_EQ(quads.size(), 3u);
    // Each quad is the ink box at half size, the pen 3 cell pixels in.
    const float pens[] = {100.0f, 115.0f, 120.0f};
    const char shown[] = {'W', 'a', '?'};
    for (std::size_t i = 0; i < quads.size(); ++i) {
        EXPECT_EQ(quads[i].screen.min, glm::vec2(pens[i] - 1.5f + 1.0f, 52.0f)) << i;
        EXPECT_EQ(quads[i].screen.max - quads[i].screen.min, glm::vec2(6.0f, 16.0f));
        EXPECT_EQ(quads[i].atlas.min, glyphCell(shown[i]).min + glm::vec2(2.0f, 4.0f)) << i;
    }
    EXPECT_EQ(glyphCell('A').min, glm::vec2(32.0f * 1, 16.0f + 40.0f * 2));
    EXPECT_EQ(glyphCell('~').max, glm::vec2(32.0f * 15, 256.0f));
    EXPECT_FLOAT_EQ(lineWidth("W a\x7f", 0.5f, glyphs), 25.0f);
}

TEST(GlyphLayoutTest, BlocksSitInTheirCornerOrTheMiddleInsideAnyWindow) {
    const GlyphSet glyphs = testGlyphs();
    for (const glm::vec2& window :
         {glm::vec2(640, 400), glm::vec2(1440, 780), glm::vec2(3840, 2160)}) {
        const float line = lineHeightFor(window);
        const PlacedText placed = placeBlocks({{TextAnchor::BottomLeft, 1.0f, {{"one"}, {"two"}}},
                                               {TextAnchor::TopRight, 1.0f, {{"fps"}}},
                                               {TextAnchor::Centre, 2.0f, {{"PAUSED"}}}},
                                              window, glyphs);
        ASSERT_EQ(placed.panels.size(), 4u);
        ASSERT_EQ(placed.glyphs.size(), 15u);
        const auto& second = placed.panels[1].quad.screen;
        const auto& status = placed.panels[2].quad.screen;
        const auto& paused = placed.panels[3].quad.screen;
        EXPECT_LT(second.max.y, window.y);
        EXPECT_GT(second.max.y, window.y - 2 * line);
        EXPECT_LT(second.min.x, 2 * line);
        EXPECT_GT(status.max.x, window.x - 2 * line);
        EXPECT_LT(status.min.y, 2 * line);
        EXPECT_EQ((paused.min + paused.max) * 0.5f, window * 0.5f);
        EXPECT_FLOAT_EQ(paused.max.y - paused.min.y, 2.0f * line);
        for (const PlacedQuad& glyph : placed.glyphs) {
            EXPECT_GE(glyph.quad.screen.min.y, 0.0f);
            EXPECT_LE(glyph.quad.screen.max.x, window.x);
        }
    }
}

} // namespace
