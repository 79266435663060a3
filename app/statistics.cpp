#include "app/statistics.h"

#include <algorithm>
#include <ostream>

void countFrame(FrameStatistics& stats, double delta) {
    stats.secondAccumulator += delta;
    stats.framesCounted += 1.0;
    stats.longestFrame = std::max(stats.longestFrame, delta);
}

bool isReportDue(const FrameStatistics& stats) {
    return stats.secondAccumulator > 1.0;
}

void startNextSecond(FrameStatistics& stats) {
    stats.framesCounted = 0.0;
    stats.secondAccumulator -= 1.0;
    stats.longestFrame = 0.0;
    stats.longestSound = 0.0;
}

int averagePerFrame(int draws, double frames) {
    return static_cast<int>(static_cast<double>(draws) / frames);
}

void printStatistics(std::ostream& out, const StatisticsSample& sample) {
    out << "FPS: " << sample.framesCounted << '\n';
    out << "Draw average " << averagePerFrame(sample.drawnShips, sample.framesCounted)
        << " Spaceships, " << averagePerFrame(sample.drawnPlanets, sample.framesCounted)
        << " Planets\n";
    out << "Ships (Computer/Player) (" << sample.computerShips << ") vs (" << sample.playerShips
        << ")\n";
    out.flush();
}
