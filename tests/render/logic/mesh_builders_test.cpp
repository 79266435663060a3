// The sphere every planet, moon and the sky are drawn with, built without a
// GL context. How it lights and how the layer grid looks the picture test sees.

#include <gtest/gtest.h>

#include "render/mesh.h"

namespace {

Vec3 positionOf(const Mesh& mesh, int vertex) {
    const float* p = &mesh.positions[static_cast<std::size_t>(vertex) * 4];
    return {p[0], p[1], p[2]};
}

glm::vec2 texCoordOf(const Mesh& mesh, int vertex) {
    const float* t = &mesh.texCoords[static_cast<std::size_t>(vertex) * 2];
    return {t[0], t[1]};
}

TEST(SphereTest, PolesAndSeamRepeatTheirVertexWithTextureCoordinatesOfTheirOwn) {
    Mesh planet;
    buildSphere(planet, 1.0f, 80);
    EXPECT_EQ(planet.vertexCount, 3321);
    EXPECT_EQ(planet.indexCount, 19200);
    for (std::uint32_t index : planet.indices)
        ASSERT_LT(index, 3321u);
    Mesh sphere;
    buildSphere(sphere, 2.0f, 8); // 4 stacks, rows of 9 vertices
    for (int j = 0; j <= 8; ++j) {
        EXPECT_NEAR(glm::distance(positionOf(sphere, j), Vec3(0, 2, 0)), 0.0f, 1e-5f);
        EXPECT_NEAR(glm::distance(positionOf(sphere, 36 + j), Vec3(0, -2, 0)), 0.0f, 1e-5f);
        EXPECT_EQ(texCoordOf(sphere, j), glm::vec2(j / 8.0f, 1.0f));
        EXPECT_FLOAT_EQ(texCoordOf(sphere, 36 + j).y, 0.0f);
    }
    for (int first = 0; first <= 36; first += 9) {
        EXPECT_NEAR(glm::distance(positionOf(sphere, first), positionOf(sphere, first + 8)), 0.0f,
                    1e-5f);
        EXPECT_FLOAT_EQ(texCoordOf(sphere, first + 8).x, 1.0f);
    }
}

} // namespace
