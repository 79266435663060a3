#include <vector>

#include <gtest/gtest.h>

#include "app/intro.h"
#include "app/keyboard.h"
#include "sim/galaxy.h"

namespace {

class IntroTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetGalaxy();
        appState().introSkipped = false;
    }
    void TearDown() override { appState().introSkipped = false; }

    std::vector<int> movesPerPhase{0, 0, 0, 0};
    std::vector<double> deltasSeen;

    std::vector<IntroPhase> countingPhases() {
        std::vector<IntroPhase> phases;
        for (std::size_t i = 0; i < introPhases().size(); ++i)
            phases.push_back({introPhases()[i].duration, [this, i] {
                                  ++movesPerPhase[i];
                                  deltasSeen.push_back(galaxy().frameDelta);
                              }});
        return phases;
    }
};

TEST_F(IntroTest, PhasesLastTheirDurations) {
    ASSERT_EQ(introPhases().size(), 4u);
    // Every frame takes a quarter of a second; an elapsed time equal to the
    // duration still runs an iteration.
    double now = 10.0;
    playIntro(countingPhases(),
              {[&now] { return now; }, [&now] { now += 0.25; }, [] { return true; }});
    EXPECT_EQ(movesPerPhase, (std::vector<int>{13, 13, 2, 2}));
    ASSERT_EQ(deltasSeen.size(), 30u);
    EXPECT_EQ(deltasSeen.front(), 0.0); // the first move uses the starting time step
    EXPECT_EQ(deltasSeen[1], 0.25);     // later ones the previous iteration's duration
    EXPECT_EQ(deltasSeen.back(), 0.25);
    EXPECT_EQ(now, 10.0 + 30 * 0.25);
}

TEST_F(IntroTest, EscapeSkipsTheRestAndAClosedWindowEverything) {
    double now = 0.0;
    const auto clock = [&now] { return now += 0.01; };
    int frames = 0;
    const auto renderFrame = [&frames] {
        appState().introSkipped = ++frames == 5; // Escape arrives while the fifth frame is drawn
    };
    playIntro(countingPhases(), {clock, renderFrame, [] { return true; }});
    EXPECT_EQ(frames, 5);
    EXPECT_EQ(movesPerPhase, (std::vector<int>{5, 0, 0, 0}));
    appState().introSkipped = false;
    frames = 0;
    playIntro(countingPhases(), {clock, renderFrame, [] { return false; }});
    EXPECT_EQ(frames, 0);
}

} // namespace
