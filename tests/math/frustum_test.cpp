#include <gtest/gtest.h>

#include "math/frustum.h"
#include "math/window_ratio.h"

namespace {

// A 90 degree frustum, twice as wide as high, at the origin looking down -z,
// with near and far planes at 1 and 10.
class FrustumTest : public ::testing::Test {
  protected:
    void SetUp() override {
        aspectRatio = 2.0f;
        frustum.setProjection(90.0f, 1.0f, 10.0f);
        frustum.setPose({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -1.0f}, {0.0f, 1.0f, 0.0f});
    }
    void TearDown() override { aspectRatio = kStartAspectRatio; }

    ViewFrustum frustum;
};

void expectNear(const glm::vec3& actual, const glm::vec3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

TEST_F(FrustumTest, CornersOfAKnownPose) {
    EXPECT_EQ(frustum.ratio, 2.0f);
    EXPECT_NEAR(frustum.tanHalfAngle, 1.0f, 1e-6f);
    expectNear(frustum.nearTopLeft, {-2.0f, 1.0f, -1.0f});
    expectNear(frustum.nearTopRight, {2.0f, 1.0f, -1.0f});
    expectNear(frustum.nearBottomLeft, {-2.0f, -1.0f, -1.0f});
    expectNear(frustum.nearBottomRight, {2.0f, -1.0f, -1.0f});
    expectNear(frustum.farTopLeft, {-20.0f, 10.0f, -10.0f});
    expectNear(frustum.farTopRight, {20.0f, 10.0f, -10.0f});
    expectNear(frustum.farBottomLeft, {-20.0f, -10.0f, -10.0f});
    expectNear(frustum.farBottomRight, {20.0f, -10.0f, -10.0f});
}

TEST_F(FrustumTest, EveryPlaneFacesInward) {
    const glm::vec3 inside{0.5f, -0.5f, -5.0f};
    for (const FrustumPlane& plane : frustum.planes) {
        EXPECT_NEAR(glm::length(plane.normal), 1.0f, 1e-6f);
        EXPECT_GT(plane.signedDistance(inside), 0.0f);
    }
}

TEST_F(FrustumTest, SphereClassification) {
    // The near plane is z = -1, so a centre at z = -3 lies 2 inside it.
    EXPECT_EQ(frustum.classifySphere({0.0f, 0.0f, -3.0f}, 2.0f), FrustumResult::Inside);
    EXPECT_EQ(frustum.classifySphere({0.0f, 0.0f, -3.0f}, 2.001f), FrustumResult::Intersect);
    // A centre exactly the radius behind a plane still intersects it.
    EXPECT_EQ(frustum.classifySphere({0.0f, 0.0f, 1.0f}, 2.0f), FrustumResult::Intersect);
    EXPECT_EQ(frustum.classifySphere({0.0f, 0.0f, 1.0f}, 1.999f), FrustumResult::Outside);
    // Outside one plane is outside, whatever the others say.
    EXPECT_EQ(frustum.classifySphere({0.0f, 50.0f, -5.0f}, 1.0f), FrustumResult::Outside);
    EXPECT_EQ(frustum.classifySphere({0.0f, 0.0f, -20.0f}, 1.0f), FrustumResult::Outside);
    EXPECT_EQ(frustum.classifySphere({30.0f, 0.0f, -5.0f}, 1.0f), FrustumResult::Outside);
    // A centre on a side plane is only intersecting.
    EXPECT_EQ(frustum.classifySphere({10.0f, 0.0f, -5.0f}, 0.01f), FrustumResult::Intersect);
}

TEST(FrustumPlaneTest, PointsOnALineLeaveAZeroNormalRatherThanNaN) {
    FrustumPlane plane;
    plane.setFromPoints({1.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f}, {3.0f, 0.0f, 0.0f});
    EXPECT_EQ(plane.normal, glm::vec3(0.0f));
}

} // namespace
