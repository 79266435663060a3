// Which way ships, their turrets and laser shots face, built from the
// rotations that turn a model toward a point.
#pragma once

#include "sim/galaxy.h"

// Orientation inputs of the ship and laser passes.
Mat4 hullYaw(const Ship& ship);
Mat4 hullPitch(const Ship& ship);
// A turret keeps facing its last target for 6 seconds after a shot, then
// turns back to the ship's heading.
Vec3 turretAimPoint(const Ship& ship, double now);
Mat4 turretYaw(const Ship& ship); // aims by the game clock
Mat4 laserYaw(const LaserShot& shot);
Mat4 laserPitch(const LaserShot& shot);
