// How the game went, for the end screen: per side the ships built and lost,
// the planets claimed and lost and the largest fleet, and once a second both
// sides' ships and developed planets. Read from the galaxy after every step,
// so it holds in headless runs too, where nobody drains the frame's events.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "sim/galaxy.h"

struct SideTally {
    int shipsBuilt = 0; // every ship that joined the side, captures' ships included
    int shipsLost = 0;
    int planetsClaimed = 0; // taken over, the home planet not counted
    int planetsLost = 0;
    std::size_t largestFleet = 0;
};

struct RecordSample {
    std::array<std::size_t, 2> ships{};     // alive, by recordIndex
    std::array<std::size_t, 2> developed{}; // established planets of the side
};

// Index of a side's tally and figures: the player 0, the computer 1.
constexpr std::size_t recordIndex(bool isPlayer) {
    return isPlayer ? 0 : 1;
}

struct GameRecord {
    std::array<SideTally, 2> tally;
    std::vector<RecordSample> samples; // sample i at i seconds of game time
    double length = 0.0;               // seconds of game time, galaxy().elapsedTime
    // What the last step left, to tell what the next one changed.
    std::array<int, 2> newestShipId{-1, -1};
    std::array<std::size_t, 2> fleet{}; // ships alive
    std::vector<Side> owners;
    bool started = false;
};

// The record of this game.
const GameRecord& gameRecord();

// Once after every simulation step; the first call of a game notes where it starts.
void recordGameStep();

// Forgets the game: for a new galaxy and for tests.
void resetGameRecord();
