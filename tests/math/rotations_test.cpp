#include <cmath>

#include <gtest/gtest.h>

#include "math/degrees.h"
#include "math/rotations.h"
#include "sim/clock.h"
#include "sim/orientation.h"

namespace {

const Vec3 kX{1.0f, 0.0f, 0.0f};
const Vec3 kY{0.0f, 1.0f, 0.0f};
const Vec3 kZ{0.0f, 0.0f, 1.0f};

Vec3 turn(const Mat4& m, const Vec3& v) {
    return Vec3(m * Vec4(v, 0.0f));
}

void expectNear(const Vec3& actual, const Vec3& expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST(DegreesTest, ArcCosineStaysFiniteAtTheEnds) {
    EXPECT_NEAR(acosDegrees(0.5f), 60.0f, 1e-5f);
    // A dot product of unit vectors that rounded a hair past 1.
    EXPECT_EQ(acosDegrees(1.0000001f), 0.0f);
    EXPECT_NEAR(acosDegrees(-1.0000001f), 180.0f, 1e-4f);
    // rotate takes degrees: a quarter turn about +Y carries +X onto -Z.
    expectNear(turn(rotateDegrees(Mat4{1.0f}, 90.0f, kY), kX), -kZ);
}

TEST(HeadingYawTest, TurnsTheReferenceOntoTheHorizontalDirectionOnly) {
    const Vec3 p{3.0f, 1.0f, 2.0f};
    expectNear(turn(headingYaw(p, p + Vec3(0.0f, 0.0f, -5.0f), kX), kX), -kZ);
    expectNear(turn(headingYaw(p, p + Vec3(0.0f, 4.0f, 5.0f), kX), kX), kZ);
    expectNear(turn(headingYaw(p, p + Vec3(-3.0f, 9.0f, 4.0f), kZ), kZ), {-0.6f, 0.0f, 0.8f});
    expectNear(turn(headingYaw(p, p + Vec3(-1.0f, 0.0f, 0.0f), kX), kX), -kX, 1e-3f);
    // No horizontal direction: no yaw.
    EXPECT_EQ(headingYaw(p, p + Vec3(0.0f, 5.0f, 0.0f), kX), Mat4{1.0f});
    EXPECT_EQ(headingYaw(p, p, kX), Mat4{1.0f});
}

TEST(PitchToTargetTest, NearlyLevelDirectionsAreNotPitched) {
    const Vec3 p{1.0f, 2.0f, 3.0f};
    EXPECT_EQ(pitchToTarget(p, p + Vec3(5.0f, 0.0f, -5.0f)), Mat4{1.0f});
    const auto atElevation = [&p](double degrees) {
        const double r = degrees * M_PI / 180.0;
        return p + 10.0f * Vec3(std::cos(r), std::sin(r), 0.0f);
    };
    EXPECT_EQ(pitchToTarget(p, atElevation(-0.2)), Mat4{1.0f});
    EXPECT_NE(pitchToTarget(p, atElevation(0.3)), Mat4{1.0f});
    // Straight up or on the spot there is no pitch to build.
    EXPECT_EQ(pitchToTarget(p, p + Vec3(0.0f, 3.0f, 0.0f)), Mat4{1.0f});
    EXPECT_EQ(pitchToTarget(p, p), Mat4{1.0f});
}

TEST(BillboardRotationTest, CarriesPlusZOntoTheDirection) {
    // Without a sideways part, a half turn of yaw; straight up or down, pitch
    // only. Within the rounding of an arc cosine near 1.
    for (const Vec3& d :
         {Vec3{1.0f, 2.0f, 3.0f}, Vec3{-4.0f, -1.0f, 2.0f}, Vec3{0.0f, 0.0f, -5.0f},
          Vec3{0.0f, -2.0f, -1.0f}, Vec3{0.0f, 3.0f, 0.0f}, Vec3{0.0f, -2.0f, 0.0f}}) {
        expectNear(turn(billboardRotation(d), kZ), glm::normalize(d), 1e-3f);
    }
    EXPECT_EQ(billboardRotation(Vec3(0.0f)), Mat4{1.0f});
}

class OrientationTest : public ::testing::Test {
  protected:
    void TearDown() override {
        setClockSource([] { return 0.0; });
    }
};

TEST_F(OrientationTest, TurretHoldsItsLastTargetForSixSeconds) {
    Ship ship(true, {0.0f, 0.0f, 0.0f}, 1.0f);
    ship.headingPoint = {10.0f, 0.0f, 0.0f};
    ship.lastTargetPoint = {0.0f, 0.0f, 10.0f};
    ship.lastShotTime = 100.0;
    EXPECT_EQ(turretAimPoint(ship, 103.0), ship.lastTargetPoint);
    EXPECT_EQ(turretAimPoint(ship, 106.0), ship.lastTargetPoint);
    EXPECT_EQ(turretAimPoint(ship, 106.5), ship.headingPoint);

    setClockSource([] { return 104.0; });
    expectNear(turn(turretYaw(ship), ship.turretReference), kZ);
    setClockSource([] { return 107.0; });
    expectNear(turn(turretYaw(ship), ship.turretReference), kX);
}

} // namespace
