// The end screen's story of the game, over the victory or defeat image: a
// panel along the bottom with the game's length, a table of both sides'
// figures and two graphs over the whole game (ships, developed planets), in
// the active palette's side colours. The layout is plain arithmetic on
// window pixels; drawing goes through the text overlay.
#pragma once

#include <string>
#include <vector>

#include "render/glyph_layout.h"
#include "render/palette.h"
#include "sim/game_record.h"
#include "sim/opponent_choice.h"

// "12:34", or "1:02:03" past an hour.
std::string clockText(double seconds);

// The table: a heading row ("", "You", "Enemy"), then one row per figure.
struct EndScreenRow {
    std::string label;
    std::string player;
    std::string computer;
};
std::vector<EndScreenRow> endScreenRows(const GameRecord& record);

// The top left and bottom right of the panel in a window of that size,
// ending above `wordsTop`, where the words under it begin.
PixelRect endScreenPanel(glm::vec2 window, float wordsTop);

// Panel, table, graphs and their labels, placed in the window.
PlacedText layoutEndScreen(const GameRecord& record, const Palette& palette, glm::vec2 window,
                           const GlyphSet& glyphs, float wordsTop);

// What the end screen's picture depends on beyond the record: the palette
// (F6), the window's size, the help page (F1) over it and the opponent its
// prompt names (B).
struct EndScreenLook {
    const Palette* palette;
    int width;
    int height;
    bool help;
    OpponentLevel opponent;
    bool operator==(const EndScreenLook&) const = default;
};
EndScreenLook endScreenLook();

// Draws the end screen of the record in the active palette, above the words
// that start at `wordsTop` pixels from the top. Needs the GL context.
void drawEndScreen(float wordsTop);
