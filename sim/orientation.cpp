#include "sim/orientation.h"

#include "math/rotations.h"
#include "sim/clock.h"

namespace {
const Vec3 kLaserReference{1.0f, 0.0f, 0.0f};
// How long a turret keeps aiming at its last target after a shot.
constexpr double kTurretHoldSeconds = 6.0;
} // namespace

Mat4 hullYaw(const Ship& ship) {
    return headingYaw(ship.position, ship.headingPoint, ship.hullReference);
}

Mat4 hullPitch(const Ship& ship) {
    return pitchToTarget(ship.position, ship.headingPoint);
}

Vec3 turretAimPoint(const Ship& ship, double now) {
    return now - ship.lastShotTime > kTurretHoldSeconds ? ship.headingPoint : ship.lastTargetPoint;
}

Mat4 turretYaw(const Ship& ship) {
    return headingYaw(ship.position, turretAimPoint(ship, currentTime()), ship.turretReference);
}

Mat4 laserYaw(const LaserShot& shot) {
    return headingYaw(shot.position, shot.targetPoint, kLaserReference);
}

Mat4 laserPitch(const LaserShot& shot) {
    return pitchToTarget(shot.position, shot.targetPoint);
}
