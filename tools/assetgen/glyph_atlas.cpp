#include "glyph_atlas.h"

#include <algorithm>
#include <cmath>

#include "render/glyph_atlas_grid.h"
#include "text.h"

namespace assetgen {

namespace {

constexpr int kWidth = GlyphAtlas::Width;
constexpr int kHeight = GlyphAtlas::Height;
constexpr int kColumns = GlyphAtlas::Columns;
constexpr int kCellWidth = GlyphAtlas::CellWidth;
constexpr int kCellHeight = GlyphAtlas::CellHeight;
constexpr int kGridTop = GlyphAtlas::GridTop;
constexpr int kPenX = GlyphAtlas::PenX;
constexpr int kBaseline = GlyphAtlas::Baseline;
constexpr int kPixelSize = 26;
constexpr char32_t kFirst = GlyphAtlas::First;
constexpr char32_t kLast = GlyphAtlas::Last;
constexpr int kSolidCell = GlyphAtlas::SolidCell;
constexpr float kOutlineRadius = 2.2f;

struct Cell {
    int x;
    int y;
};

Cell cellOf(int index) {
    return {(index % kColumns) * kCellWidth, kGridTop + (index / kColumns) * kCellHeight};
}

// Coverage of one cell, 0..1, before it goes into the atlas.
using Coverage = std::vector<float>;

Coverage letterCoverage(const GlyphImage& glyph) {
    Coverage cover(kCellWidth * kCellHeight, 0.0f);
    for (int row = 0; row < glyph.rows; ++row)
        for (int col = 0; col < glyph.width; ++col) {
            const int x = kPenX + glyph.left + col;
            const int y = kBaseline - glyph.top + row;
            // One free pixel on every side keeps neighbours out of the filtering.
            if (x >= 1 && y >= 1 && x < kCellWidth - 1 && y < kCellHeight - 1)
                cover[y * kCellWidth + x] = glyph.coverage[row * glyph.width + col] / 255.0f;
        }
    return cover;
}

// The letter widened by a disc: the dark rim that keeps it readable on the
// sun and on bright planets.
Coverage outlineCoverage(const Coverage& letter) {
    Coverage rim(letter.size(), 0.0f);
    const int reach = static_cast<int>(std::ceil(kOutlineRadius));
    for (int y = 1; y < kCellHeight - 1; ++y)
        for (int x = 1; x < kCellWidth - 1; ++x) {
            float best = 0.0f;
            for (int dy = -reach; dy <= reach; ++dy)
                for (int dx = -reach; dx <= reach; ++dx) {
                    const int sx = x + dx, sy = y + dy;
                    if (sx < 0 || sy < 0 || sx >= kCellWidth || sy >= kCellHeight)
                        continue;
                    const float edge = std::clamp(
                        kOutlineRadius + 0.5f - std::hypot(float(dx), float(dy)), 0.0f, 1.0f);
                    best = std::max(best, letter[sy * kCellWidth + sx] * edge);
                }
            rim[y * kCellWidth + x] = best;
        }
    return rim;
}

void paintCell(Image& atlas, int index, const Coverage& letter, const Coverage& rim) {
    const Cell cell = cellOf(index);
    for (int y = 0; y < kCellHeight; ++y)
        for (int x = 0; x < kCellWidth; ++x) {
            const float c = letter[y * kCellWidth + x];
            atlas.at(cell.x + x, cell.y + y) = Color(c, c, c, rim[y * kCellWidth + x]);
        }
}

// Quarter pixels, whole steps of the 8-bit channel so the file keeps them exact.
Color advanceCode(float advance) {
    const float code = std::clamp(std::round(advance * 4.0f), 0.0f, 255.0f) / 255.0f;
    return Color(code, code, code, 1.0f);
}

} // namespace

Image makeGlyphAtlas() {
    Image atlas(kWidth, kHeight, Color(0, 0, 0, 0));
    TextRenderer text;
    for (char32_t c = kFirst; c <= kLast; ++c) {
        const int index = static_cast<int>(c - kFirst);
        const GlyphImage glyph = text.renderGlyph(c, FontFace::Sans, kPixelSize);
        const Coverage letter = letterCoverage(glyph);
        paintCell(atlas, index, letter, outlineCoverage(letter));
        atlas.at(index, 0) = advanceCode(glyph.advance);
    }
    // Solid but for a clear rim: the letters beside and above it sample their
    // cell's edges, and the panels sample only its middle.
    Coverage solid(kCellWidth * kCellHeight, 0.0f);
    for (int y = 4; y < kCellHeight - 4; ++y)
        for (int x = 4; x < kCellWidth - 4; ++x)
            solid[y * kCellWidth + x] = 1.0f;
    paintCell(atlas, kSolidCell, solid, solid);
    return atlas;
}

} // namespace assetgen
