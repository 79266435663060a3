#include <cmath>

#include <gtest/gtest.h>

#include "math/camera.h"

namespace {

class CameraTest : public ::testing::Test {
  protected:
    void SetUp() override {
        step = 0.0f;
        setCameraStepSource([] { return step; });
        initCamera();
    }
    void TearDown() override { SetUp(); }

    static void place(const Vec3& eye, const Vec3& target) {
        camera().eye = eye;
        camera().target = target;
        updateCameraBasis();
    }
    static void setStep(double seconds) { step = static_cast<float>(seconds); }
    static inline float step = 0.0f;

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
    return (camera().eye.y - camera().target.y) / cameraDistance();
}

TEST_F(CameraTest, ZoomSpeedGrowsWithDistanceAndStopsAtRootSix) {
    EXPECT_NEAR(zoomSpeed(10.0f), 3.7f, 0.05f);
    EXPECT_NEAR(zoomSpeed(150.0f), 160.0f, 0.5f);
    // At and inside sqrt(6) the zoom has stopped; never NaN.
    EXPECT_NEAR(zoomSpeed(std::sqrt(6.0f)), 0.0f, 1e-20f);
    EXPECT_TRUE(zoomSpeed(1.0f) == 0.0f && zoomSpeed(0.0f) == 0.0f);
    // Zooming out moves at least a hundred units a second.
    place({0.0f, 6.0f, 8.0f}, {0.0f, 0.0f, 0.0f});
    setStep(0.05);
    zoomOut();
    EXPECT_NEAR(cameraDistance(), 15.0f, 1e-4f);
}

TEST_F(CameraTest, InvalidZoomsAndPansAreUndoneExactly) {
    // The target sits at the edge of its box; the right axis points along +x.
    place({74.0f, 20.0f, 40.0f}, {74.0f, 0.0f, 0.0f});
    setStep(1.0);
    expectRefused(panRight);
    expectRefused([] { edgePanRight(1.0f); });
    expectRefused(panDown); // the target would sink below 0
    // The other ways are fine: eye and target move alike, level or straight
    // up, a key at the zoom speed, the border at the distance times its push.
    const Vec3 offset = camera().eye - camera().target, x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1};
    setStep(0.1);
    const float key = zoomSpeed(glm::length(offset)) * 0.1f, edge = glm::length(offset) * 0.05f;
    void (*const keys[])() = {panLeft, panUp, panDown, panForward, panBackward};
    void (*const borders[])(float) = {edgePanLeft, edgePanForward, edgePanBackward, edgePanRight};
    const Vec3 moves[] = {-key * x,  key * y,   -key * y, -key * z, key * z,
                          -edge * x, -edge * z, edge * z, edge * x};
    for (int i = 0; i < 9; ++i) {
        const Vec3 target = camera().target;
        camera().viewChanged = false;
        i < 5 ? keys[i]() : borders[i - 5](0.5f);
        EXPECT_TRUE(camera().viewChanged) << i;
        EXPECT_NEAR(glm::length(camera().target - target - moves[i]), 0.0f, 1e-4f) << i;
        EXPECT_NEAR(glm::length(camera().eye - camera().target - offset), 0.0f, 1e-4f) << i;
    }
}

// A wheel notch on a slow frame would carry the eye through the target, past
// 150 or underground: the step stops at that edge instead of being lost.
TEST_F(CameraTest, ZoomStepsStopAtTheEdgeOfTheAllowedRegion) {
    const struct {
        Vec3 eye, target;
        bool in;
        double seconds;
        float distance, height; // expected afterwards; below 0: not checked
    } cases[] = {
        {{0.0f, 5.0f, 10.0f}, {0.0f, 5.0f, 0.0f}, true, 1.0, std::sqrt(6.0f), -1.0f},
        {{0.0f, 5.0f, 10.0f}, {0.0f, 5.0f, 0.0f}, true, 0.14, std::sqrt(6.0f), -1.0f},
        {{0.0f, 30.0f, 40.0f}, {0.0f, 0.0f, 0.0f}, false, 0.1, 150.0f, -1.0f},
        {{0.0f, 89.4f, 119.2f}, {0.0f, 0.0f, 0.0f}, false, 0.05, 150.0f, -1.0f}, // d = 149
        {{0.0f, 1.0f, 20.0f}, {0.0f, 10.0f, 0.0f}, false, 0.1, -1.0f, 0.0f},     // looking up
    };
    for (const auto& c : cases) {
        place(c.eye, c.target);
        setStep(c.seconds);
        c.in ? zoomInBy(17.0f) : zoomOutBy(17.0f);
        EXPECT_TRUE(isCameraStateValid()) << c.seconds;
        EXPECT_GT(glm::dot(camera().target - camera().eye, camera().forward), 0.0f);
        if (c.distance > 0.0f) {
            EXPECT_NEAR(cameraDistance(), c.distance, 0.01f) << c.seconds;
        }
        if (c.height >= 0.0f) {
            EXPECT_NEAR(camera().eye.y, c.height, 0.01f) << c.seconds;
        }
    }
    // Held down, the zoom creeps toward sqrt(6) and stays in front.
    place({0.0f, 5.0f, 10.0f}, {0.0f, 5.0f, 0.0f});
    setStep(0.2);
    for (int i = 0; i < 2000; ++i)
        zoomIn();
    EXPECT_TRUE(cameraDistance() > std::sqrt(6.0f) && cameraDistance() < 3.0f) << cameraDistance();
}

TEST_F(CameraTest, OrbitsAboutTheVerticalAreNeverRefused) {
    place({10.0f, 40.0f, -30.0f}, {5.0f, 2.0f, 3.0f});
    const float height = camera().eye.y;
    const float distance = cameraDistance();
    // Half a second at 80 degrees per second, toward the viewer's right.
    setStep(0.5);
    const Vec3 before = camera().eye - camera().target;
    const Vec3 rightBefore = camera().right;
    orbitEyeRight();
    const Vec3 after = camera().eye - camera().target;
    EXPECT_GT(glm::dot(after - before, rightBefore), 0.0f);
    const float turn = std::atan2(before.x, before.z) - std::atan2(after.x, after.z);
    EXPECT_NEAR(std::remainder(turn, 2.0 * M_PI) * 180.0 / M_PI, -40.0, 1e-3);
    EXPECT_NEAR(camera().eye.y, height, 1e-3f);
    EXPECT_NEAR(cameraDistance(), distance, 1e-3f);
    // The left key turns it back.
    orbitEyeLeft();
    EXPECT_LT(glm::length(camera().eye - camera().target - before), 1e-3f);
}

TEST_F(CameraTest, OrbitingUpAndDownStopsAtTheLimits) {
    // Held up from 0.8, the eye rises but never past 0.9.
    place({0.0f, 16.0f, 12.0f}, {0.0f, 0.0f, 0.0f});
    setStep(0.01);
    for (int i = 0; i < 500; ++i)
        orbitEyeUp();
    EXPECT_TRUE(elevationSine() <= 0.9f && elevationSine() > 0.89f) << elevationSine();
    expectRefused(orbitEyeUp);
    // Down stops above height 1: 7 degrees would take this eye below it.
    place({0.0f, 1.2f, 20.0f}, {0.0f, 0.0f, 0.0f});
    setStep(0.1);
    expectRefused(orbitEyeDown);
    expectRefused([] { orbitEyeDownBy(0.6f); });
    // Under a raised target, down stops short of straight below as up does
    // of straight above: past it the view would turn half round each frame.
    place({0.0f, 40.0f, 20.0f}, {0.0f, 40.0f, 0.0f});
    setStep(0.01);
    for (int i = 0; i < 500; ++i)
        orbitEyeDown();
    EXPECT_TRUE(elevationSine() >= -0.9f && elevationSine() < -0.89f) << elevationSine();
    expectRefused(orbitEyeDown);
    // Placed straight above, the camera keeps the last right axis.
    const Vec3 right = camera().right;
    place({0.0f, 20.0f, 0.0f}, {0.0f, 0.0f, 0.0f});
    EXPECT_EQ(camera().right, right);
}

} // namespace
