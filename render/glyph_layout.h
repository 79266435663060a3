// Text of the on-screen messages and status, laid out into quads of the
// glyph atlas. No GL here: the layout is plain arithmetic on window pixels.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <glm/glm.hpp>

#include "render/glyph_atlas_grid.h"

// Top left and bottom right of a rectangle, in pixels from the top left.
struct PixelRect {
    glm::vec2 min{0.0f};
    glm::vec2 max{0.0f};
};

// How far a character moves the pen, and the part of its cell that holds
// ink or outline (empty for a space), in atlas pixels.
struct GlyphMetrics {
    float advance = 0.0f;
    PixelRect ink;
};
using GlyphSet = std::array<GlyphMetrics, GlyphAtlas::GlyphCount>;

struct GlyphQuad {
    PixelRect screen; // in the window
    PixelRect atlas;  // in the atlas image
};

// The middle of the atlas's solid cell: panels and shapes sample one colour
// there whatever their scale.
PixelRect solidTexel();

// Bytes of the UTF-8 character that starts at `at`: a lead byte and the
// continuation bytes it announces, as far as they follow; any other byte
// alone.
std::size_t characterBytes(std::string_view text, std::size_t at);

// Atlas cell of a character (its first byte); characters the atlas lacks
// show as one '?' each.
PixelRect glyphCell(char c);
const GlyphMetrics& glyphMetrics(char c, const GlyphSet& glyphs);

// Width of a line `scale` times the atlas size.
float lineWidth(std::string_view text, float scale, const GlyphSet& glyphs);

// The line whole when it is at most `maxWidth` wide, else as much of it as
// fits with "..." after it.
std::string fitLine(std::string_view text, float maxWidth, float scale, const GlyphSet& glyphs);

// One quad per character with ink, the line's cells starting at `topLeft`.
std::vector<GlyphQuad> layoutLine(std::string_view text, glm::vec2 topLeft, float scale,
                                  const GlyphSet& glyphs);

// Where a block of lines sits in the window.
enum class TextAnchor { BottomLeft, TopLeft, TopRight, Centre, BottomCentre };

struct TextLine {
    std::string text;
    glm::vec4 color{1.0f}; // straight alpha
};

struct TextBlock {
    TextAnchor anchor = TextAnchor::BottomLeft;
    float size = 1.0f; // times the window's usual line height
    std::vector<TextLine> lines;
};

// The usual line height for a window: readable from a small window up to
// full screen.
float lineHeightFor(glm::vec2 window);

// What one frame of overlay text draws: each line's dark backing panel and
// its glyphs, all in window pixels with their line's colour. Lines cut at
// the window's edge.
struct PlacedQuad {
    GlyphQuad quad;
    glm::vec4 color;
};
struct PlacedText {
    std::vector<PlacedQuad> panels;
    std::vector<PlacedQuad> glyphs;
};

PlacedText placeBlocks(const std::vector<TextBlock>& blocks, glm::vec2 window,
                       const GlyphSet& glyphs);
