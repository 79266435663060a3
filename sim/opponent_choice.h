// Which computer opponent the player faces. The choice belongs to the run,
// not to one game: a new galaxy keeps it, and nothing stores it.
#pragma once

#include <array>
#include <string_view>

// Standard is the computer's two plain rules; the others play through the
// same orders a player has: move orders and trade routes.
enum class OpponentLevel : int { Easy = 0, Standard = 1, Hard = 2, Ruthless = 3 };

inline constexpr std::array<OpponentLevel, 4> kOpponentLevels{
    OpponentLevel::Easy, OpponentLevel::Standard, OpponentLevel::Hard, OpponentLevel::Ruthless};

// The opponent of this run; Standard until the player chooses another.
OpponentLevel& chosenOpponent();

// The next level up the list, after the last the first again.
OpponentLevel nextOpponent(OpponentLevel level);

// The level's name as the game says it: "easy", "standard", "hard", "ruthless".
std::string_view opponentName(OpponentLevel level);
