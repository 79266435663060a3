#include <cmath>

#include <gtest/gtest.h>

#include "app/intro.h"
#include "math/camera.h"
#include "sim/galaxy.h"

namespace {

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
    void TearDown() override {
        resetGalaxy();
        initCamera();
    }

    static void runPhaseMoves(std::size_t phase) {
        camera().viewChanged = false;
        introPhases().at(phase).cameraMoves();
    }
};

TEST_F(IntroCameraTest, FirstSwingsLeftThenBackRight) {
    const Vec3 start = camera().eye;
    const Vec3 right = camera().right;
    const float distance = cameraDistance();
    runPhaseMoves(0);
    EXPECT_LT(glm::dot(camera().eye - start, right), 0.0f);
    EXPECT_NEAR(camera().eye.y, start.y, 1e-4f);
    EXPECT_NEAR(cameraDistance(), distance, 1e-4f);
    EXPECT_TRUE(camera().viewChanged);
    runPhaseMoves(1);
    EXPECT_NEAR(glm::length(camera().eye - start), 0.0f, 1e-3f);
    EXPECT_TRUE(camera().viewChanged);
}

TEST_F(IntroCameraTest, ThenDivesInAndPullsBack) {
    galaxy().frameDelta = 0.1;
    const float distance = cameraDistance();
    const float elevation = std::asin(camera().eye.y / distance) * 180.0f / 3.1415927f;
    runPhaseMoves(2);
    // Zoomed in at the zoom speed, and tilted down by 70 degrees per second.
    EXPECT_NEAR(cameraDistance(), distance - zoomSpeed(distance) * 0.1f, 1e-3f);
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
