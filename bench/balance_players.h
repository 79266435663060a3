// Scripted players for the balance benchmark; each gives its orders through
// the player's own commands (move orders and routes).
#pragma once

#include <string>

constexpr int kPlayerStrategies = 4;

// "idle", "greedy", "greedy+routes", "gather+attack".
std::string playerStrategyName(int strategy);

// Gives this second's orders of the strategy.
void orderPlayerShips(int strategy);
