#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "app/intro.h"
#include "app/keyboard.h"
#include "math/camera.h"
#include "sim/galaxy.h"

namespace {

class IntroTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetGalaxy();
        introSkipped = false;
    }
    void TearDown() override { introSkipped = false; }

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
        introSkipped = ++frames == 5; // Escape arrives while the fifth frame is drawn
    };
    playIntro(countingPhases(), {clock, renderFrame, [] { return true; }});
    EXPECT_EQ(frames, 5);
    EXPECT_EQ(movesPerPhase, (std::vector<int>{5, 0, 0, 0}));
    introSkipped = false;
    frames = 0;
    playIntro(countingPhases(), {clock, renderFrame, [] { return false; }});
    EXPECT_EQ(frames, 0);
}

// The camera where the game starts the intro: above the galaxy's centre.
class IntroCameraTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetGalaxy();
        initCamera();
        setCameraStepSource([] { return static_cast<float>(galaxy().frameDelta); });
        camera().eye = {50.0f, 50.0f, 50.0f};
        camera().target = {0.0f, 0.0f, 0.0f};
        updateCameraBasis();
        galaxy().frameDelta = 0.5;
    }
    void TearDown() override { SetUp(); }

    static void runPhaseMoves(std::size_t phase) {
        camera().viewChanged = false;
        introPhases().at(phase).cameraMoves();
    }
};

TEST_F(IntroCameraTest, SwingsLeftAndBackRightThenDivesInAndPullsBack) {
    const Vec3 start = camera().eye;
    const Vec3 right = camera().right;
    const float distance = cameraDistance();
    runPhaseMoves(0);
    EXPECT_LT(glm::dot(camera().eye - start, right), 0.0f);
    EXPECT_NEAR(cameraDistance(), distance, 1e-4f);
    runPhaseMoves(1);
    EXPECT_NEAR(glm::length(camera().eye - start), 0.0f, 1e-3f);

    galaxy().frameDelta = 0.1;
    const float before = cameraDistance();
    const float elevation = std::asin(camera().eye.y / before) * 180.0f / 3.1415927f;
    runPhaseMoves(2);
    // Zoomed in at the zoom speed, and tilted down by 70 degrees per second.
    EXPECT_NEAR(cameraDistance(), before - zoomSpeed(before) * 0.1f, 1e-3f);
    EXPECT_NEAR(std::asin(camera().eye.y / cameraDistance()) * 180.0f / 3.1415927f,
                elevation - 7.0f, 1e-3f);

    const Vec3 target = camera().target;
    const Vec3 forward = camera().forward;
    runPhaseMoves(3);
    const Vec3 moved = camera().target - target;
    EXPECT_EQ(moved.y, 0.0f);
    EXPECT_LT(glm::dot(moved, forward), 0.0f);
}

} // namespace
