#include <sstream>

#include <gtest/gtest.h>

#include "app/statistics.h"

namespace {

// Due after more than a second; the draw average is truncated: 2399 in 120 frames show 19.
TEST(StatisticsTest, ReportIsDueOnlyAfterMoreThanOneSecondAndPrintsTheThreeLines) {
    FrameStatistics stats;
    countFrame(stats, 0.5);
    countFrame(stats, 0.5);
    EXPECT_FALSE(isReportDue(stats)); // exactly 1.0 is not enough
    countFrame(stats, 0.25);
    EXPECT_TRUE(isReportDue(stats));
    EXPECT_EQ(stats.framesCounted, 3.0);

    startNextSecond(stats);
    EXPECT_EQ(stats.framesCounted, 0.0);
    EXPECT_DOUBLE_EQ(stats.secondAccumulator, 0.25); // the excess carries over
    countFrame(stats, 0.75);
    EXPECT_FALSE(isReportDue(stats));
    std::ostringstream out;
    printStatistics(out, {120.0, 2399, 845, 7, 12});
    EXPECT_EQ(out.str(), "FPS: 120\n"
                         "Draw average 19 Spaceships, 7 Planets\n"
                         "Ships (Computer/Player) (7) vs (12)\n");
}

} // namespace
