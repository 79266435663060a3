// The vector and matrix types the whole game speaks.
#pragma once

#include <glm/glm.hpp>

using Vec3 = glm::vec3;
using Vec4 = glm::vec4;
using Mat3 = glm::mat3;
using Mat4 = glm::mat4;
