// Models imported from memory as from the file. The game's own models are
// checked by the asset tests, a game without them by the end-to-end tests.
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "render/mesh.h"
#include "render/model_import.h"
#include "tests/render/gl_test_support.h"

namespace {

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
