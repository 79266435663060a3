// Models imported from the game's files and from memory, and what an empty
// mesh draws; the sphere and grid builders are checked headless
// (logic/mesh_builders_test.cpp).
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
