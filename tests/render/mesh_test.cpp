// Models imported from files and from memory. The game's own models are
// checked by the asset tests, a game without them by the end-to-end tests.
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "render/mesh.h"
#include "render/model_import.h"
#include "tests/render/gl_test_support.h"

namespace {

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

} // namespace
