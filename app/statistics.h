// The once-per-second console report of frame rate, draws and fleet sizes.
#pragma once

#include <cstddef>
#include <iosfwd>

struct FrameStatistics {
    double secondAccumulator = 0.0;
    double framesCounted = 0.0;
    double longestFrame = 0.0; // seconds, this second
    double longestSound = 0.0; // the sound's share of a frame, seconds
};

struct StatisticsSample {
    double framesCounted = 0.0;
    int drawnShips = 0;
    int drawnPlanets = 0;
    std::size_t computerShips = 0;
    std::size_t playerShips = 0;
};

// Adds one frame of `delta` seconds.
void countFrame(FrameStatistics& stats, double delta);

// A report is due once more than a whole second has gathered.
bool isReportDue(const FrameStatistics& stats);

// Starts the next second, carrying the time beyond the last one over.
void startNextSecond(FrameStatistics& stats);

// Average draws per frame, truncated toward zero.
int averagePerFrame(int draws, double frames);

void printStatistics(std::ostream& out, const StatisticsSample& sample);
