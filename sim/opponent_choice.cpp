#include "sim/opponent_choice.h"

OpponentLevel& chosenOpponent() {
    static OpponentLevel level = OpponentLevel::Standard;
    return level;
}

OpponentLevel nextOpponent(OpponentLevel level) {
    const auto index = static_cast<std::size_t>(level) + 1;
    return kOpponentLevels[index % kOpponentLevels.size()];
}

std::string_view opponentName(OpponentLevel level) {
    static constexpr std::array<std::string_view, 4> kNames{"easy", "standard", "hard", "ruthless"};
    return kNames[static_cast<std::size_t>(level)];
}
