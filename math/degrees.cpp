#include "math/degrees.h"

#include <algorithm>
#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

float acosDegrees(float c) {
    const double clamped = std::clamp(static_cast<double>(c), -1.0, 1.0);
    const float radians = static_cast<float>(std::acos(clamped));
    return radians * 180.0f / 3.1415927f;
}

float halfAngleTangent(float degrees) {
    constexpr double pi = 3.141592653589793;
    return static_cast<float>(std::tan(degrees * pi / 180.0 * 0.5));
}

glm::mat4 rotateDegrees(const glm::mat4& m, float degrees, const glm::vec3& axis) {
    return glm::rotate(m, toRadians(degrees), axis);
}

glm::mat4 perspectiveDegrees(float fovyDegrees, float aspect, float zNear, float zFar) {
    return glm::perspective(toRadians(fovyDegrees), aspect, zNear, zFar);
}
