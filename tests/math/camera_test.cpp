#include <cmath>
#include <limits>
#include <string>

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include "math/camera.h"

namespace {

class CameraTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetGalaxy();
        initCamera();
    }
    void TearDown() override {
        resetGalaxy();
        initCamera();
    }

    static void place(const Vec3& eye, const Vec3& target) {
        camera().eye = eye;
        camera().target = target;
        updateCameraBasis();
    }
    static void setStep(double seconds) { galaxy().frameDelta = seconds; }

    // Runs a move that must be refused and checks that nothing changed.
    template <typename Move> static void expectRefused(Move move) {
        const Vec3 eye = camera().eye;
        const Vec3 target = camera().target;
        camera().viewChanged = false;
        move();
        EXPECT_EQ(camera().eye, eye);
        EXPECT_EQ(camera().target, target);
        EXPECT_FALSE(camera().viewChanged);
    }
};

float elevationSine() {
    const Camera& c = camera();
    return (c.eye.y - c.target.y) / cameraDistance();
}

bool isFinite(const Vec3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

TEST_F(CameraTest, StartsLookingAtItsTargetWithALevelRightAxis) {
    const Camera& c = camera();
    EXPECT_EQ(c.eye, Vec3(-25.0f, 40.0f, -55.0f));
    EXPECT_EQ(c.target, Vec3(0.0f, 0.0f, -15.0f));
    EXPECT_NEAR(glm::length(c.forward), 1.0f, 1e-6f);
    EXPECT_NEAR(glm::dot(c.forward, glm::normalize(c.target - c.eye)), 1.0f, 1e-6f);
    EXPECT_EQ(c.right.y, 0.0f);
    EXPECT_NEAR(glm::length(c.right), 1.0f, 1e-6f);
    EXPECT_NEAR(glm::dot(c.right, c.forward), 0.0f, 1e-6f);
    EXPECT_TRUE(c.viewChanged);
    EXPECT_EQ(c.view, glm::lookAt(c.eye, c.target, c.worldUp));
}

TEST_F(CameraTest, ViewMatrixIsRebuiltOnlyAfterAChange) {
    const Mat4 first = getViewMatrix();
    EXPECT_FALSE(camera().viewChanged);
    camera().eye = Vec3(10.0f, 20.0f, 30.0f); // moved without saying so
    EXPECT_EQ(getViewMatrix(), first);
    camera().viewChanged = true;
    EXPECT_EQ(getViewMatrix(),
              glm::lookAt(Vec3(10.0f, 20.0f, 30.0f), camera().target, Vec3(0.0f, 1.0f, 0.0f)));
}

TEST_F(CameraTest, ZoomSpeedGrowsWithDistanceAndStopsAtRootSix) {
    const auto expected = [](double d) { return 0.1 * std::pow(std::log(d * d / 6.0), 3.5); };
    for (const float d : {10.0f, 50.0f, 150.0f}) {
        EXPECT_NEAR(zoomSpeed(d), expected(d), expected(d) * 1e-5) << "distance " << d;
    }
    EXPECT_NEAR(zoomSpeed(10.0f), 3.7f, 0.05f);
    EXPECT_NEAR(zoomSpeed(50.0f), 54.0f, 0.5f);
    EXPECT_NEAR(zoomSpeed(150.0f), 160.0f, 0.5f);
    // At and inside sqrt(6) the zoom has stopped; never NaN.
    EXPECT_NEAR(zoomSpeed(std::sqrt(6.0f)), 0.0f, 1e-20f);
    EXPECT_EQ(zoomSpeed(1.0f), 0.0f);
    EXPECT_EQ(zoomSpeed(0.0f), 0.0f);
}

TEST_F(CameraTest, StateLimits) {
    place({0.0f, 10.0f, 20.0f}, {75.0f, 75.0f, -75.0f});
    EXPECT_TRUE(isCameraStateValid());
    camera().target.x = 75.01f;
    EXPECT_FALSE(isCameraStateValid());
    camera().target = {-75.0f, 0.0f, 75.0f};
    EXPECT_TRUE(isCameraStateValid());
    camera().target.y = -0.01f;
    EXPECT_FALSE(isCameraStateValid());
    camera().target = {0.0f, 0.0f, 0.0f};
    camera().eye = {0.0f, 0.0f, 150.0f};
    EXPECT_TRUE(isCameraStateValid());
    camera().eye = {0.0f, -0.01f, 10.0f};
    EXPECT_FALSE(isCameraStateValid());
    camera().eye = {0.0f, 0.0f, 150.01f};
    EXPECT_FALSE(isCameraStateValid());
    camera().eye = {0.0f, std::numeric_limits<float>::quiet_NaN(), 10.0f};
    EXPECT_FALSE(isCameraStateValid());
}

TEST_F(CameraTest, InvalidZoomsAndPansAreUndoneExactly) {
    // Looking up at a raised target: zooming out drives the eye underground.
    place({0.0f, 1.0f, 20.0f}, {0.0f, 10.0f, 0.0f});
    setStep(0.1);
    expectRefused(zoomOut);
    expectRefused([] { zoomOutBy(17.0f); });

    // The target sits at the edge of its box; the right axis points along +x.
    place({74.0f, 20.0f, 40.0f}, {74.0f, 0.0f, 0.0f});
    ASSERT_GT(camera().right.x, 0.99f);
    setStep(1.0);
    expectRefused(panRight);
    expectRefused([] { edgePanRight(1.0f); });
    expectRefused(panDown); // the target would sink below 0
    // The same pan the other way is fine and moves eye and target alike.
    const Vec3 offset = camera().eye - camera().target;
    camera().viewChanged = false;
    setStep(0.01);
    panLeft();
    EXPECT_TRUE(camera().viewChanged);
    EXPECT_LT(camera().target.x, 74.0f);
    EXPECT_EQ(camera().target.y, 0.0f);
    EXPECT_NEAR(glm::length(camera().eye - camera().target - offset), 0.0f, 1e-4f);
}

TEST_F(CameraTest, PansMoveAtTheirSpeeds) {
    place({0.0f, 30.0f, 40.0f}, {0.0f, 0.0f, 0.0f}); // d = 50
    setStep(0.1);
    panForward(); // level, along the view: toward -z
    EXPECT_NEAR(camera().target.z, -zoomSpeed(50.0f) * 0.1f, 1e-4f);
    EXPECT_EQ(camera().target.y, 0.0f);
    place({0.0f, 30.0f, 40.0f}, {0.0f, 0.0f, 0.0f});
    panUp();
    EXPECT_NEAR(camera().target.y, zoomSpeed(50.0f) * 0.1f, 1e-4f);
    EXPECT_EQ(camera().target.x, 0.0f);
    // The border pans move factor * d units per second.
    place({0.0f, 30.0f, 40.0f}, {0.0f, 0.0f, 0.0f});
    edgePanBackward(0.5f);
    EXPECT_NEAR(camera().target.z, 0.5f * 50.0f * 0.1f, 1e-4f);
}

TEST_F(CameraTest, ZoomOutMovesAtLeastAHundredUnitsPerSecondUpToTheLimit) {
    place({0.0f, 6.0f, 8.0f}, {0.0f, 0.0f, 0.0f}); // d = 10, zoom speed about 3.7
    setStep(0.05);
    zoomOut();
    EXPECT_NEAR(cameraDistance(), 15.0f, 1e-4f);
    // Far out the zoom speed itself is faster than 100.
    place({0.0f, 84.0f, 112.0f}, {0.0f, 0.0f, 0.0f}); // d = 140
    const float speed = zoomSpeed(140.0f);
    ASSERT_GT(speed, 100.0f);
    setStep(0.01);
    zoomOut();
    EXPECT_NEAR(cameraDistance(), 140.0f + speed * 0.01f, 1e-3f);
    // A step that would pass 150 is undone as a whole.
    place({0.0f, 89.4f, 119.2f}, {0.0f, 0.0f, 0.0f}); // d = 149
    setStep(0.05);
    expectRefused(zoomOut);
    for (int i = 0; i < 1000; ++i) {
        zoomOutBy(17.0f);
    }
    EXPECT_LE(cameraDistance(), 150.0f);
}

TEST_F(CameraTest, ZoomInNeverCarriesTheEyeThroughTheTarget) {
    // Looking level, so a step through the target would still look valid.
    place({0.0f, 5.0f, 10.0f}, {0.0f, 5.0f, 0.0f});
    // A slow frame with a fast wheel: 63 units toward a target 10 away.
    setStep(1.0);
    expectRefused([] { zoomInBy(17.0f); });
    // 9 units would end 1 unit short of it, inside sqrt(6).
    setStep(9.0 / (17.0 * zoomSpeed(10.0f)));
    expectRefused([] { zoomInBy(17.0f); });
    // Held down, the zoom creeps toward sqrt(6) and stays in front.
    setStep(0.2);
    for (int i = 0; i < 2000; ++i) {
        zoomIn();
    }
    EXPECT_TRUE(isFinite(camera().eye));
    EXPECT_GT(cameraDistance(), std::sqrt(6.0f));
    EXPECT_LT(cameraDistance(), 3.0f);
    EXPECT_GT(glm::dot(camera().target - camera().eye, camera().forward), 0.0f);
}

TEST_F(CameraTest, OrbitsAboutTheVerticalAreNeverRefused) {
    place({10.0f, 40.0f, -30.0f}, {5.0f, 2.0f, 3.0f});
    const float height = camera().eye.y;
    const float distance = cameraDistance();
    // 80 degrees per second, the eye going to the viewer's right.
    setStep(0.5);
    const Vec3 before = camera().eye - camera().target;
    const Vec3 rightBefore = camera().right;
    orbitEyeRight();
    const Vec3 after = camera().eye - camera().target;
    EXPECT_GT(glm::dot(after - before, rightBefore), 0.0f);
    const Vec3 flatBefore = glm::normalize(Vec3(before.x, 0.0f, before.z));
    const Vec3 flatAfter = glm::normalize(Vec3(after.x, 0.0f, after.z));
    EXPECT_NEAR(std::acos(glm::dot(flatBefore, flatAfter)) * 180.0 / M_PI, 40.0, 1e-3);
    EXPECT_NEAR(glm::dot(camera().forward, glm::normalize(-after)), 1.0f, 1e-6f);

    for (int i = 0; i < 200; ++i) {
        setStep(0.013 * (i % 7));
        orbitEyeLeft();
        orbitEyeRightBy(0.7f);
        orbitEyeLeftBy(1.3f);
    }
    EXPECT_NEAR(camera().eye.y, height, 1e-3f);
    EXPECT_NEAR(cameraDistance(), distance, 1e-3f);
}

TEST_F(CameraTest, OrbitingUpStopsNearTheZenithButDownStillWorks) {
    // Elevation sine 0.95, reached by placing the eye directly.
    place({0.0f, 19.0f, std::sqrt(400.0f - 361.0f)}, {0.0f, 0.0f, 0.0f});
    ASSERT_NEAR(elevationSine(), 0.95f, 1e-6f);
    setStep(0.01);
    expectRefused(orbitEyeUp);
    expectRefused([] { orbitEyeUpBy(0.6f); });
    orbitEyeDown();
    EXPECT_LT(camera().eye.y, 19.0f);
    EXPECT_NEAR(cameraDistance(), 20.0f, 1e-4f);

    // From 0.8 the eye rises, and held up it never passes 0.9.
    place({0.0f, 16.0f, 12.0f}, {0.0f, 0.0f, 0.0f});
    orbitEyeUp();
    EXPECT_GT(elevationSine(), 0.8f);
    for (int i = 0; i < 500; ++i) {
        orbitEyeUp();
    }
    EXPECT_LE(elevationSine(), 0.9f);
    EXPECT_GT(elevationSine(), 0.89f);
}

TEST_F(CameraTest, OrbitingDownStopsAboveHeightOne) {
    place({0.0f, 1.2f, 20.0f}, {0.0f, 0.0f, 0.0f});
    setStep(0.1); // 7 degrees down would take the eye below 1
    expectRefused(orbitEyeDown);
    expectRefused([] { orbitEyeDownBy(0.6f); });
    orbitEyeUp();
    EXPECT_GT(camera().eye.y, 1.2f);
}

TEST_F(CameraTest, ZeroTimeStepMovesNothing) {
    place({10.0f, 30.0f, 40.0f}, {5.0f, 3.0f, -2.0f});
    setStep(0.0);
    const Vec3 eye = camera().eye;
    const Vec3 target = camera().target;
    void (*const moves[])() = {zoomIn,
                               zoomOut,
                               panRight,
                               panLeft,
                               panUp,
                               panDown,
                               panForward,
                               panBackward,
                               orbitEyeLeft,
                               orbitEyeRight,
                               orbitEyeUp,
                               orbitEyeDown,
                               [] { zoomInBy(17.0f); },
                               [] { zoomOutBy(17.0f); },
                               [] { edgePanLeft(1.0f); },
                               [] { orbitEyeDownBy(0.6f); }};
    for (const auto move : moves) {
        camera().viewChanged = false;
        move();
        EXPECT_EQ(camera().eye, eye);
        EXPECT_EQ(camera().target, target);
        // Valid checked moves and every orbit still mark the view changed.
        EXPECT_TRUE(camera().viewChanged);
    }
}

TEST_F(CameraTest, JumpKeepsTheViewingDirectionFiftyUnitsOut) {
    place({10.0f, 30.0f, 40.0f}, {10.0f, 0.0f, 0.0f});
    const Vec3 forward = camera().forward;
    camera().viewChanged = false;
    testing::internal::CaptureStdout();
    jumpCameraTo(12.5f, 0.0f, -30.0f);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Jump to12.5/0/-30\n");
    EXPECT_EQ(camera().target, Vec3(12.5f, 0.0f, -30.0f));
    EXPECT_NEAR(cameraDistance(), 50.0f, 1e-4f);
    EXPECT_NEAR(glm::dot(glm::normalize(camera().target - camera().eye), forward), 1.0f, 1e-6f);
    EXPECT_TRUE(camera().viewChanged);
}

TEST_F(CameraTest, LookingStraightDownKeepsTheLastRightAxis) {
    place({0.0f, 20.0f, 20.0f}, {0.0f, 0.0f, 0.0f});
    const Vec3 right = camera().right;
    place({0.0f, 20.0f, 0.0f}, {0.0f, 0.0f, 0.0f});
    EXPECT_EQ(camera().right, right);
    EXPECT_TRUE(isFinite(camera().forward));
}

} // namespace
