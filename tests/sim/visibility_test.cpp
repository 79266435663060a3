#include <memory>

#include <gtest/gtest.h>

#include "math/camera.h"
#include "math/window_ratio.h"
#include "sim/visibility.h"

namespace {

LaserShot shotAt(const Vec3& position) {
    LaserShot shot;
    shot.position = position;
    return shot;
}

TEST(FartherFromEyeTest, OnlyStrictlyFartherComesFirst) {
    initCamera();
    camera().eye = {1.0f, 2.0f, 3.0f};
    const LaserShot near = shotAt({1.0f, 2.0f, 6.0f});
    const LaserShot far = shotAt({1.0f, -3.0f, 3.0f});
    const LaserShot alsoFar = shotAt({6.0f, 2.0f, 3.0f});
    EXPECT_TRUE(isFartherFromEye(far, near));
    EXPECT_FALSE(isFartherFromEye(near, far));
    EXPECT_FALSE(isFartherFromEye(far, alsoFar)); // strictly farther only
    initCamera();
}

// The camera at the origin looking straight at the sun.
constexpr Vec3 kSun{0.0f, 0.0f, -100.0f};

class SunVisibilityTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetGalaxy();
        initCamera();
        camera().eye = {0.0f, 0.0f, 0.0f};
        camera().target = {0.0f, 0.0f, -10.0f};
        updateCameraBasis();
    }
    void TearDown() override {
        resetGalaxy();
        initCamera();
    }

    static Planet& addPlanet(const Vec3& position, float radius, int layer = 0) {
        galaxy().planets.push_back(std::make_unique<Planet>(radius, 0.0f, position, 4));
        galaxy().planets.back()->layer = layer;
        return *galaxy().planets.back();
    }
};

TEST_F(SunVisibilityTest, SunWhollyInViewWithNothingInTheWay) {
    EXPECT_TRUE(isLightSourceVisible(kSun, -1));
    addPlanet({20.0f, 0.0f, -50.0f}, 3.0f); // off the line of sight
    EXPECT_TRUE(isLightSourceVisible(kSun, -1));
}

TEST_F(SunVisibilityTest, SunMustLieWhollyInsideTheView) {
    // The right edge of the 50 degree view with aspect 1.4 passes x = 65.3
    // at 100 units; the sun is a sphere of radius 3.
    ASSERT_EQ(aspectRatio, kStartAspectRatio);
    EXPECT_TRUE(isLightSourceVisible({60.0f, 0.0f, -100.0f}, -1));
    EXPECT_FALSE(isLightSourceVisible({65.0f, 0.0f, -100.0f}, -1));
    EXPECT_FALSE(isLightSourceVisible({0.0f, 0.0f, 100.0f}, -1)); // behind the camera
}

TEST_F(SunVisibilityTest, PlanetsOnTheLineOfSightHideTheSun) {
    Planet& between = addPlanet({0.0f, 1.0f, -50.0f}, 2.0f, 1);
    EXPECT_FALSE(isLightSourceVisible(kSun, -1));
    EXPECT_FALSE(isLightSourceVisible(kSun, 1));
    EXPECT_TRUE(isLightSourceVisible(kSun, 0)); // its layer is not shown
    EXPECT_TRUE(isLightSourceVisible(kSun, 2));

    // Beyond the eye on the same line counts as well; behind the sun not.
    between.position = {0.0f, 1.0f, 30.0f};
    EXPECT_FALSE(isLightSourceVisible(kSun, -1));
    between.position = {0.0f, 1.0f, -130.0f};
    EXPECT_TRUE(isLightSourceVisible(kSun, -1));
}

} // namespace
