// The planet sphere and the layer grid, built without a GL context.
#include <cmath>
#include <vector>

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
    // Equator, first slice: along +z. Normals are unit positions.
    EXPECT_NEAR(glm::distance(positionOf(sphere, 18), Vec3(0, 0, 2)), 0.0f, 1e-5f);
    for (int v = 0; v < sphere.vertexCount; ++v) {
        const float* n = &sphere.normals[static_cast<std::size_t>(v) * 3];
        EXPECT_NEAR(glm::length(Vec3(n[0], n[1], n[2]) - positionOf(sphere, v) / 2.0f), 0.0f,
                    1e-5f);
    }
    const std::vector<std::uint32_t> start(sphere.indices.begin(), sphere.indices.begin() + 6);
    EXPECT_EQ(start, (std::vector<std::uint32_t>{0, 9, 10, 0, 10, 1}));
}

TEST(GridTest, LinePairsJoinNeighboursOfOneColumnOrRow) {
    Mesh grid;
    buildGrid(grid, 100.0f, 60.0f);
    ASSERT_EQ(grid.vertexCount, 441);
    ASSERT_EQ(grid.indexCount, 840);
    EXPECT_EQ(positionOf(grid, 0), Vec3(-50, 30, 0));
    EXPECT_EQ(texCoordOf(grid, 0), glm::vec2(0, 1));
    EXPECT_EQ(positionOf(grid, 440), Vec3(50, -30, 0));
    EXPECT_EQ(texCoordOf(grid, 440), glm::vec2(1, 0));
    for (int t = 0; t < 420; ++t) {
        const int a = static_cast<int>(grid.indices[static_cast<std::size_t>(2 * t)]);
        const int b = static_cast<int>(grid.indices[static_cast<std::size_t>(2 * t + 1)]);
        ASSERT_EQ(a % 21, b % 21) << "pair " << t << " joins two columns";
        ASSERT_EQ(std::abs(a / 21 - b / 21), 1) << "pair " << t << " skips a row";
    }
}

} // namespace
