// The glyph atlas the game writes its on-screen messages and status with:
// printable ASCII in DejaVu Sans, white letters with a soft dark outline.
//
// Layout, which the game's render/glyph_layout.h reads the same way:
// 512 x 256 pixels; cells of 32 x 40 in 16 columns from row 16 down, one per
// character from ' ' to '~' and a last, solid cell for backing panels. In
// each cell the pen starts 3 pixels from the left on a baseline 30 pixels
// down. Red, green and blue hold the letter's coverage, alpha its outline.
// The top row holds each character's advance in quarter pixels, in red.
#pragma once

#include "image.h"

namespace assetgen {

Image makeGlyphAtlas();

} // namespace assetgen
