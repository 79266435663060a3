// How Textures/glyphs.png is laid out, shared by the generator that draws it
// and the overlay that reads it: cells of 32 x 40 pixels in 16 columns from
// row 16 down, one per character from ' ' to '~', then one solid cell for the
// backing panels. The pen starts 3 pixels into a cell on a baseline 30
// pixels down. The top row holds each character's advance in quarter pixels,
// in red. No dependencies, so the generator can include it.
#pragma once

namespace GlyphAtlas {
constexpr int Width = 512;
constexpr int Height = 256;
constexpr int Columns = 16;
constexpr int CellWidth = 32;
constexpr int CellHeight = 40;
constexpr int GridTop = 16;
constexpr int PenX = 3;
constexpr int Baseline = 30;
constexpr char First = ' ';
constexpr char Last = '~';
constexpr int GlyphCount = Last - First + 1;
constexpr int SolidCell = GlyphCount;
} // namespace GlyphAtlas
