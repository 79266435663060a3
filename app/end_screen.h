// The text over the victory or defeat image: what the player can do next.
#pragma once

#include <vector>

#include "render/glyph_layout.h"

// "Press Enter for a new galaxy" bottom left, clear of the image's own words.
std::vector<TextBlock> endScreenBlocks();
