// Rotations that turn models toward a direction: camera-facing quads and
// anything that heads somewhere. All angles inside are degrees.
#pragma once

#include "math/types.h"

// Carries +Z onto `direction`: the pitch acts first, then the yaw about +Y.
// Camera-facing quads use it with the viewing direction (target - eye).
// Straight up or down there is no yaw, only the quarter turn of pitch; a
// zero direction gives the identity.
Mat4 billboardRotation(const Vec3& direction);

// Rotation about +Y that turns `reference` onto the horizontal direction
// from `position` to `target`. No yaw (identity) when the target lies
// straight above or below the position, or on it.
Mat4 headingYaw(const Vec3& position, const Vec3& target, const Vec3& reference);

// Tilts the horizontal direction from `position` to `target` up or down onto
// the full direction. Identity when the direction is horizontal within about
// a quarter of a degree, and when there is no horizontal direction at all.
// Models are turned by pitchToTarget * headingYaw: yaw first, then pitch.
Mat4 pitchToTarget(const Vec3& position, const Vec3& target);
