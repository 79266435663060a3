#include "app/end_screen.h"

#include <algorithm>
#include <string>

#include "sim/opponent_choice.h"

namespace {
constexpr glm::vec4 kPromptColor{1.0f, 0.92f, 0.7f, 1.0f};
constexpr glm::vec4 kUnseen{0.0f}; // no glyphs, no panel
constexpr float kPromptSize = 1.5f;
} // namespace

std::vector<TextBlock> endScreenBlocks() {
    // An unseen line below lifts the prompt over the images' own bottom line.
    // Short enough to fit a 720 pixel wide window with the longest name.
    return {{TextAnchor::BottomCentre,
             kPromptSize,
             {{"Enter for a new galaxy, B: opponent (" +
                   std::string(opponentName(chosenOpponent())) + ")",
               kPromptColor},
              {"", kUnseen}}}};
}

float endScreenWordsTop(glm::vec2 window, const GlyphSet& glyphs) {
    float top = window.y;
    for (const PlacedQuad& glyph : placeBlocks(endScreenBlocks(), window, glyphs).glyphs) {
        top = std::min(top, glyph.quad.screen.min.y);
    }
    return top;
}
