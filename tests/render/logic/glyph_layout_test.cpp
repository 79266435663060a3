#include <gtest/gtest.h>

#include "render/glyph_layout.h"

namespace {

// Every character 10 atlas pixels wide, 'W' 20, with ink in part of its
// cell; a space has none.
GlyphSet testGlyphs() {
    GlyphSet glyphs;
    glyphs.fill({10.0f, {{2.0f, 4.0f}, {14.0f, 36.0f}}});
    glyphs['W' - GlyphAtlas::First].advance = 20.0f;
    glyphs[0].ink = {};
    return glyphs;
}

TEST(GlyphLayoutTest, LaysEachCharacterWithInkOutAsItsInkBox) {
    const std::vector<GlyphQuad> quads =
        layoutLine("W a\xe2\x82\xac", {100.0f, 50.0f}, 0.5f, testGlyphs());
    ASSERT_EQ(quads.size(), 3u);
    // At half size from pens at 100, 115 and 120, each 3 cell pixels in; the
    // euro sign, three bytes the atlas lacks, shows as one '?'.
    const std::pair<float, char> pens[] = {{100.0f, 'W'}, {115.0f, 'a'}, {120.0f, '?'}};
    for (std::size_t i = 0; i < quads.size(); ++i) {
        EXPECT_EQ(quads[i].screen.min, glm::vec2(pens[i].first - 1.5f + 1.0f, 52.0f)) << i;
        EXPECT_EQ(quads[i].screen.max - quads[i].screen.min, glm::vec2(6.0f, 16.0f));
        EXPECT_EQ(quads[i].atlas.min, glyphCell(pens[i].second).min + glm::vec2(2.0f, 4.0f));
    }
}

TEST(GlyphLayoutTest, BlocksSitInTheirCornerOrTheMiddleOfAnyWindow) {
    const std::string wide(200, 'W'); // cut within a letter of the window's edge, then "..."
    for (const glm::vec2& window : {glm::vec2(640, 400), glm::vec2(3840, 2160)}) {
        const float line = lineHeightFor(window);
        const PlacedText placed = placeBlocks({{TextAnchor::BottomLeft, 1.0f, {{"one"}, {"two"}}},
                                               {TextAnchor::Centre, 2.0f, {{"PAUSED"}}},
                                               {TextAnchor::TopRight, 1.0f, {{"fps"}, {wide}}}},
                                              window, testGlyphs());
        ASSERT_EQ(placed.panels.size(), 5u);
        const PixelRect& second = placed.panels[1].quad.screen;
        const PixelRect& paused = placed.panels[2].quad.screen;
        const PixelRect& status = placed.panels[3].quad.screen;
        const PixelRect& cut = placed.panels[4].quad.screen;
        EXPECT_TRUE(cut.min.x > 0.0f && cut.min.x < 1.5f * line && cut.max.x == status.max.x);
        EXPECT_EQ(placed.glyphs.back().quad.atlas.min, glyphCell('.').min + glm::vec2(2, 4));
        EXPECT_TRUE(second.max.y < window.y && second.max.y > window.y - line &&
                    second.min.x < line);
        EXPECT_TRUE(status.max.x < window.x && status.max.x > window.x - line &&
                    status.min.y < line);
        EXPECT_EQ((paused.min + paused.max) * 0.5f, window * 0.5f);
        EXPECT_FLOAT_EQ(paused.max.y - paused.min.y, 2.0f * line);
    }
}

TEST(GlyphLayoutTest, CutsALineWithDotsNeverInsideACharacter) {
    // Ten pixels a character at scale 1, the dots 30 of 60.
    const std::string eeuro = "\xc3\xa9\xe2\x82\xac", rocket = "\xf0\x9f\x9a\x80";
    for (const auto& [text, fitted] : {std::pair{eeuro + "wxyz", eeuro + "wxyz"},
                                       {eeuro + "wxyz!", eeuro + "w..."},
                                       {eeuro + rocket + "zzzz", eeuro + rocket + "..."}})
        EXPECT_EQ(fitLine(text, 60.0f, 1.0f, testGlyphs()), fitted) << text;
}

} // namespace
