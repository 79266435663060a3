#include "render/glyph_layout.h"

#include <algorithm>

namespace {

constexpr float kMargin = 0.6f;  // window edge to panel, in line heights
constexpr float kPadding = 0.3f; // panel edge to text, in line heights
constexpr float kPanelAlpha = 0.55f;

int glyphIndex(char c) {
    return c >= GlyphAtlas::First && c <= GlyphAtlas::Last ? c - GlyphAtlas::First
                                                           : '?' - GlyphAtlas::First;
}

PixelRect cellRect(int index) {
    const glm::vec2 min{(index % GlyphAtlas::Columns) * GlyphAtlas::CellWidth,
                        GlyphAtlas::GridTop +
                            (index / GlyphAtlas::Columns) * GlyphAtlas::CellHeight};
    return {min, min + glm::vec2(GlyphAtlas::CellWidth, GlyphAtlas::CellHeight)};
}

// Top left of a block whose panels span `size`.
glm::vec2 blockOrigin(TextAnchor anchor, glm::vec2 size, glm::vec2 window, float margin) {
    switch (anchor) {
    case TextAnchor::BottomLeft:
        return {margin, window.y - margin - size.y};
    case TextAnchor::TopLeft:
        return {margin, margin};
    case TextAnchor::TopRight:
        return {window.x - margin - size.x, margin};
    case TextAnchor::BottomCentre:
        return {(window.x - size.x) * 0.5f, window.y - margin - size.y};
    case TextAnchor::Centre:
        break;
    }
    return (window - size) * 0.5f;
}

} // namespace

PixelRect solidTexel() {
    const PixelRect cell = cellRect(GlyphAtlas::SolidCell);
    const glm::vec2 middle = (cell.min + cell.max) * 0.5f;
    return {middle, middle};
}

std::size_t characterBytes(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t announced = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    std::size_t bytes = 1;
    while (bytes < announced && at + bytes < text.size() &&
           (static_cast<unsigned char>(text[at + bytes]) & 0xC0) == 0x80) {
        ++bytes;
    }
    return bytes;
}

PixelRect glyphCell(char c) {
    return cellRect(glyphIndex(c));
}

const GlyphMetrics& glyphMetrics(char c, const GlyphSet& glyphs) {
    return glyphs[static_cast<std::size_t>(glyphIndex(c))];
}

float lineWidth(std::string_view text, float scale, const GlyphSet& glyphs) {
    float width = 0.0f;
    for (std::size_t i = 0; i < text.size(); i += characterBytes(text, i)) {
        width += glyphMetrics(text[i], glyphs).advance;
    }
    return width * scale;
}

std::string fitLine(std::string_view text, float maxWidth, float scale, const GlyphSet& glyphs) {
    if (lineWidth(text, scale, glyphs) <= maxWidth) {
        return std::string(text);
    }
    const float room = maxWidth - lineWidth("...", scale, glyphs);
    float width = 0.0f;
    std::size_t end = 0;
    while (end < text.size()) {
        width += glyphMetrics(text[end], glyphs).advance * scale;
        if (width > room) {
            break;
        }
        end += characterBytes(text, end);
    }
    return std::string(text.substr(0, end)) + "...";
}

std::vector<GlyphQuad> layoutLine(std::string_view text, glm::vec2 topLeft, float scale,
                                  const GlyphSet& glyphs) {
    std::vector<GlyphQuad> quads;
    float pen = topLeft.x;
    for (std::size_t i = 0; i < text.size(); i += characterBytes(text, i)) {
        const char c = text[i];
        const GlyphMetrics& glyph = glyphMetrics(c, glyphs);
        if (glyph.ink.max.x > glyph.ink.min.x) {
            const glm::vec2 cell{pen - GlyphAtlas::PenX * scale, topLeft.y};
            const glm::vec2 atlasCell = glyphCell(c).min;
            quads.push_back({{cell + glyph.ink.min * scale, cell + glyph.ink.max * scale},
                             {atlasCell + glyph.ink.min, atlasCell + glyph.ink.max}});
        }
        pen += glyph.advance * scale;
    }
    return quads;
}

float lineHeightFor(glm::vec2 window) {
    return std::clamp(window.y / 30.0f, 22.0f, 48.0f);
}

PlacedText placeBlocks(const std::vector<TextBlock>& blocks, glm::vec2 window,
                       const GlyphSet& glyphs) {
    PlacedText placed;
    const float usual = lineHeightFor(window);
    for (const TextBlock& block : blocks) {
        const float height = usual * block.size;
        const float scale = height / GlyphAtlas::CellHeight;
        const float pad = kPadding * usual;
        const float room = window.x - 2.0f * (kMargin * usual + pad);
        std::vector<std::string> texts;
        float widest = 0.0f;
        for (const TextLine& line : block.lines) {
            texts.push_back(fitLine(line.text, room, scale, glyphs));
            widest = std::max(widest, lineWidth(texts.back(), scale, glyphs));
        }
        const glm::vec2 size{widest + 2.0f * pad, height * block.lines.size()};
        const glm::vec2 origin = blockOrigin(block.anchor, size, window, kMargin * usual);
        for (std::size_t i = 0; i < block.lines.size(); ++i) {
            const TextLine& line = block.lines[i];
            const float width = lineWidth(texts[i], scale, glyphs);
            // Right-anchored lines end at the right edge, the others start at the left.
            const bool leftAnchored =
                block.anchor == TextAnchor::BottomLeft || block.anchor == TextAnchor::TopLeft;
            const float left = leftAnchored ? origin.x
                               : block.anchor == TextAnchor::TopRight
                                   ? origin.x + size.x - width - 2.0f * pad
                                   : origin.x + (size.x - width) * 0.5f - pad;
            const glm::vec2 topLeft{left, origin.y + height * static_cast<float>(i)};
            const PixelRect panel{topLeft, topLeft + glm::vec2(width + 2.0f * pad, height)};
            placed.panels.push_back(
                {{panel, solidTexel()}, {0.0f, 0.0f, 0.0f, kPanelAlpha * line.color.a}});
            for (const GlyphQuad& quad :
                 layoutLine(texts[i], topLeft + glm::vec2(pad, 0.0f), scale, glyphs)) {
                placed.glyphs.push_back({quad, line.color});
            }
        }
    }
    return placed;
}
