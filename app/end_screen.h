// The text over the victory or defeat image: what the player can do next.
#pragma once

#include <vector>

#include "render/glyph_layout.h"

// "Enter for a new galaxy" and the opponent B chooses for it, bottom
// centre, above the images' own last line.
std::vector<TextBlock> endScreenBlocks();

// Where those words begin, in pixels from the window's top.
float endScreenWordsTop(glm::vec2 window, const GlyphSet& glyphs);
