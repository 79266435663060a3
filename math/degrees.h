// The game speaks degrees; GLM speaks radians. Every conversion happens here.
#pragma once

#include <glm/glm.hpp>

constexpr float kDegreesToRadians = 0.017453293f;

inline float toRadians(float degrees) {
    return degrees * kDegreesToRadians;
}

// The angle whose cosine is c, in degrees. c is clamped to [-1, 1] first:
// a dot product of two unit vectors can round a hair past 1, and the angle
// between them is then 0, not NaN.
float acosDegrees(float c);

// tan of half the full angle `degrees`, evaluated in double precision.
float halfAngleTangent(float degrees);

// M times the right-handed rotation by `degrees` about the normalised axis.
glm::mat4 rotateDegrees(const glm::mat4& m, float degrees, const glm::vec3& axis);

// Perspective projection with the full vertical field of view in degrees.
glm::mat4 perspectiveDegrees(float fovyDegrees, float aspect, float zNear, float zFar);
