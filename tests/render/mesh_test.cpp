#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "render/mesh.h"
#include "render/model_import.h"
#include "render/shader_programs.h"
#include "render/texture_manager.h"
#include "tests/render/gl_test_support.h"

namespace {

using ModelDrawTest = GLTest;

Vec3 positionOf(const Mesh& mesh, int vertex) {
    const float* p = &mesh.positions[static_cast<std::size_t>(vertex) * 4];
    return {p[0], p[1], p[2]};
}

glm::vec2 texCoordOf(const Mesh& mesh, int vertex) {
    const float* t = &mesh.texCoords[static_cast<std::size_t>(vertex) * 2];
    return {t[0], t[1]};
}

TEST(SphereTest, CountsPolesAndSeam) {
    Mesh small;
    buildSphere(small, 1.0f, 8);
    EXPECT_EQ(small.vertexCount, 45);
    EXPECT_EQ(small.indexCount, 192);
    Mesh planet;
    buildSphere(planet, 1.0f, 80);
    EXPECT_EQ(planet.vertexCount, 3321);
    EXPECT_EQ(planet.indexCount, 19200);
    for (std::uint32_t index : planet.indices) {
        ASSERT_LT(index, 3321u);
    }
    // Poles and seam repeat their vertex with texture coordinates of their own.
    Mesh sphere;
    buildSphere(sphere, 2.0f, 8); // 4 stacks, rows of 9 vertices
    for (int j = 0; j <= 8; ++j) {
        const Vec3 north = positionOf(sphere, j);
        const Vec3 south = positionOf(sphere, 4 * 9 + j);
        EXPECT_NEAR(glm::distance(north, Vec3(0, 2, 0)), 0.0f, 1e-5f);
        EXPECT_NEAR(glm::distance(south, Vec3(0, -2, 0)), 0.0f, 1e-5f);
        EXPECT_FLOAT_EQ(texCoordOf(sphere, j).x, j / 8.0f);
        EXPECT_FLOAT_EQ(texCoordOf(sphere, j).y, 1.0f);
        EXPECT_FLOAT_EQ(texCoordOf(sphere, 4 * 9 + j).y, 0.0f);
    }
    for (int stack = 0; stack <= 4; ++stack) {
        const int first = stack * 9;
        EXPECT_NEAR(glm::distance(positionOf(sphere, first), positionOf(sphere, first + 8)), 0.0f,
                    1e-5f);
        EXPECT_FLOAT_EQ(texCoordOf(sphere, first).x, 0.0f);
        EXPECT_FLOAT_EQ(texCoordOf(sphere, first + 8).x, 1.0f);
    }
    // Equator, first slice: along +z. Normals are unit positions.
    EXPECT_NEAR(glm::distance(positionOf(sphere, 2 * 9), Vec3(0, 0, 2)), 0.0f, 1e-5f);
    for (int v = 0; v < sphere.vertexCount; ++v) {
        const float* n = &sphere.normals[static_cast<std::size_t>(v) * 3];
        EXPECT_NEAR(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]), 1.0f, 1e-5f);
        EXPECT_FLOAT_EQ(sphere.positions[static_cast<std::size_t>(v) * 4 + 3], 1.0f);
    }
    // The first band's first two triangles.
    const std::vector<std::uint32_t> start(sphere.indices.begin(), sphere.indices.begin() + 6);
    EXPECT_EQ(start, (std::vector<std::uint32_t>{0, 9, 10, 0, 10, 1}));
}

TEST(GridTest, CornersAndLinePairs) {
    Mesh grid;
    buildGrid(grid, 100.0f, 60.0f);
    ASSERT_EQ(grid.vertexCount, 441);
    ASSERT_EQ(grid.indexCount, 840);
    EXPECT_EQ(positionOf(grid, 0), Vec3(-50, 30, 0));
    EXPECT_EQ(texCoordOf(grid, 0), glm::vec2(0, 1));
    EXPECT_EQ(positionOf(grid, 440), Vec3(50, -30, 0));
    EXPECT_EQ(texCoordOf(grid, 440), glm::vec2(1, 0));
    EXPECT_EQ(grid.normals[2], 1.0f);
    // The first band runs left to right, the second starts at the right.
    EXPECT_EQ(grid.indices[0], 0u);
    EXPECT_EQ(grid.indices[1], 21u);
    EXPECT_EQ(grid.indices[42], 62u);
    EXPECT_EQ(grid.indices[43], 41u);
    for (int t = 0; t < 420; ++t) {
        const int a = static_cast<int>(grid.indices[static_cast<std::size_t>(2 * t)]);
        const int b = static_cast<int>(grid.indices[static_cast<std::size_t>(2 * t + 1)]);
        ASSERT_EQ(a % 21, b % 21) << "pair " << t << " joins two columns";
        ASSERT_EQ(std::abs(a / 21 - b / 21), 1) << "pair " << t << " skips a row";
    }
}

TEST(ModelImportTest, TheGamesModelsAndSpheresAreAllBuilt) {
    ScopedWorkingDirectory inGame(gameDirectory());
    buildAllMeshes();
    for (int kind : {2, 3, 4, 5, 6, 7, 9, 11}) {
        const Mesh& mesh = *meshForKind(kind);
        EXPECT_GT(mesh.vertexCount, 0) << kind;
        EXPECT_GT(mesh.indexCount, 0) << kind;
        for (std::uint32_t index : mesh.indices) {
            ASSERT_LT(index, static_cast<std::uint32_t>(mesh.vertexCount)) << kind;
        }
    }
    EXPECT_EQ(meshForKind(MeshKind::MoonSphere)->vertexCount, 9 * 17);
    EXPECT_GT(meshForKind(MeshKind::HullHigh)->vertexCount,
              meshForKind(MeshKind::HullLow)->vertexCount);
    forgetMeshes();
}

TEST(ModelImportTest, MissingTextureCoordinatesBecomeZeroAndStrayLinesAreSkipped) {
    ScratchFolder scratch;
    writeText(scratch.path() / "plain.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 1\n"
                                            "f 1 2 3\nf 1 3 4\nl 1 4\n");
    Mesh mesh;
    ASSERT_TRUE(importModelFile((scratch.path() / "plain.obj").string(), mesh));
    EXPECT_EQ(mesh.vertexCount, 4);
    EXPECT_EQ(mesh.indexCount, 6);
    EXPECT_EQ(mesh.texCoords, std::vector<float>(8, 0.0f));
    // Smooth normals were generated.
    EXPECT_NEAR(std::hypot(mesh.normals[0], mesh.normals[1], mesh.normals[2]), 1.0f, 1e-4f);
}

TEST(ModelImportTest, BytesInMemoryImportLikeTheFileAndGarbageLeavesTheMeshEmpty) {
    // The fuzzed entry point must be the game's own import.
    ScopedWorkingDirectory inGame(gameDirectory());
    Mesh fromFile;
    ASSERT_TRUE(importModelFile("./Models/spaceshipsmallLOW.obj", fromFile));
    std::ifstream in("./Models/spaceshipsmallLOW.obj", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    Mesh fromMemory;
    ASSERT_TRUE(importModelFromMemory(bytes.data(), bytes.size(), fromMemory));
    EXPECT_EQ(fromMemory.positions, fromFile.positions);
    EXPECT_EQ(fromMemory.texCoords, fromFile.texCoords);
    EXPECT_EQ(fromMemory.indices, fromFile.indices);

    const std::string notAModel = "\x89PNG\r\n\x1a\n this is no model at all";
    Mesh empty;
    EXPECT_FALSE(importModelFromMemory(notAModel.data(), notAModel.size(), empty));
    EXPECT_FALSE(importModelFromMemory(nullptr, 0, empty));
    EXPECT_EQ(empty.vertexCount, 0);
}

TEST_F(ModelDrawTest, AMissingModelLeavesAnEmptyMeshThatDrawsNothing) {
    ScratchFolder scratch;
    ScopedWorkingDirectory inScratch(scratch.path());
    Mesh mesh;
    EXPECT_FALSE(importModel(MeshKind::Turret, mesh));
    EXPECT_FALSE(importModel(MeshKind::PlanetSphere, mesh)); // not a model kind
    EXPECT_EQ(mesh.indexCount, 0);

    // Uploaded against a real program and drawn, it leaves the window as
    // it was and raises no GL error.
    ScopedWorkingDirectory inGame(gameDirectory());
    ShaderProgram program("Shaders/shipShader");
    ASSERT_TRUE(program.ready);
    uploadMesh(mesh, program);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glUseProgram(program.program);
    // Its two samplers on different units, as the ship pass sets them.
    glUniform1i(glGetUniformLocation(program.program, "instances"), 3);
    glBindVertexArray(mesh.vertexArray);
    glDrawElements(GL_TRIANGLES, mesh.indexCount, GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
    glUseProgram(0);
    EXPECT_EQ(takeGLError(), static_cast<GLenum>(GL_NO_ERROR));
    unsigned char pixel[4] = {1, 1, 1, 1};
    glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0] + pixel[1] + pixel[2], 0);
    glDeleteVertexArrays(1, &mesh.vertexArray);
    program.deleteGLObjects();
}

} // namespace
