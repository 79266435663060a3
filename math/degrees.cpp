#include "math/degrees.h"

#include <glm/gtc/matrix_transform.hpp>

glm::mat4 rotateDegrees(const glm::mat4& m, float degrees, const glm::vec3& axis) {
    return glm::rotate(m, toRadians(degrees), axis);
}

glm::mat4 perspectiveDegrees(float fovyDegrees, float aspect, float zNear, float zFar) {
    return glm::perspective(toRadians(fovyDegrees), aspect, zNear, zFar);
}
