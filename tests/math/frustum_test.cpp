#include <gtest/gtest.h>

#include "math/camera.h"
#include "math/frustum.h"

namespace {

// A 90 degree frustum, twice as wide as high, at the origin looking down -z,
// with near and far planes at 1 and 10.
class FrustumTest : public ::testing::Test {
  protected:
    void SetUp() override {
        camera().aspectRatio = 2.0f;
        frustum.setProjection(90.0f, 1.0f, 10.0f);
        frustum.setPose({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -1.0f}, {0.0f, 1.0f, 0.0f});
    }
    void TearDown() override { camera().aspectRatio = kStartAspectRatio; }

    ViewFrustum frustum;
};

TEST_F(FrustumTest, SphereClassification) {
    const struct {
        glm::vec3 centre;
        float radius;
        FrustumResult result;
    } cases[] = {
        {{0.0f, 0.0f, -3.0f}, 2.0f, FrustumResult::Inside}, // 2 inside the near plane z = -1
        {{0.0f, 0.0f, -3.0f}, 2.001f, FrustumResult::Intersect},
        {{0.0f, 0.0f, 1.0f}, 2.0f, FrustumResult::Intersect}, // exactly the radius behind
        {{0.0f, 0.0f, 1.0f}, 1.999f, FrustumResult::Outside},
        {{0.0f, 50.0f, -5.0f}, 1.0f, FrustumResult::Outside}, // outside one plane is outside
        {{0.0f, 0.0f, -20.0f}, 1.0f, FrustumResult::Outside},
        {{30.0f, 0.0f, -5.0f}, 1.0f, FrustumResult::Outside},
        {{10.0f, 0.0f, -5.0f}, 0.01f, FrustumResult::Intersect}, // on a side plane
    };
    for (const auto& c : cases)
        EXPECT_EQ(frustum.classifySphere(c.centre, c.radius), c.result)
            << c.centre.x << " " << c.centre.y << " " << c.centre.z << " r " << c.radius;
}

TEST(FrustumPlaneTest, PointsOnALineLeaveAZeroNormalRatherThanNaN) {
    FrustumPlane plane;
    plane.setFromPoints({1.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f}, {3.0f, 0.0f, 0.0f});
    EXPECT_EQ(plane.normal, glm::vec3(0.0f));
}

} // namespace
