#include "app/end_screen.h"

namespace {
constexpr glm::vec4 kPromptColor{1.0f, 0.92f, 0.7f, 1.0f};
constexpr float kPromptSize = 1.5f;
} // namespace

std::vector<TextBlock> endScreenBlocks() {
    return {
        {TextAnchor::BottomLeft, kPromptSize, {{"Press Enter for a new galaxy", kPromptColor}}}};
}
