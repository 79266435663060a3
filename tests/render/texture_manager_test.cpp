#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "render/texture_manager.h"
#include "tests/render/gl_test_support.h"

namespace {

std::string readText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A folder with all 32 images of the table, 5 x 3 pixels each (rows that
// need padding), each at the bit depth its row asks for.
void writeTextureFolder(const std::filesystem::path& folder) {
    for (int i = 0; i < textureTableSize(); ++i) {
        const TextureFile& row = textureTable()[i];
        const int bits = row.format == GL_BGRA ? 32 : 24;
        writeImage(folder / row.path, 5, 3, bits, 10, 20, static_cast<unsigned char>(row.key));
    }
}

class TextureManagerTest : public GLTest {
  protected:
    void SetUp() override {
        GLTest::SetUp();
        manager->deleteTextures();
    }
    void TearDown() override { manager->deleteTextures(); }

    TextureManager* manager = &textureManager();
    ScratchFolder scratch;
};

TEST_F(TextureManagerTest, LoadsTheWholeTableAlertingForBadFilesAndLooksUpUnknownKeysAsEmpty) {
    writeTextureFolder(scratch.path());
    std::filesystem::remove(scratch.path() / "Textures/planet3.bmp");
    writeText(scratch.path() / "Textures/Sun.bmp", "not an image");
    ScopedWorkingDirectory inScratch(scratch.path());
    const CapturedOutput output = captureOutput([this] { manager->loadAll(); });
    EXPECT_EQ(output.out, "Loading Textures...\n\nALERT\nALERTDone Loading Textures\n");
    EXPECT_EQ(output.err, "Cannot read texture file ./Textures/planet3.bmp\n"
                          "Cannot decode texture file ./Textures/Sun.bmp\n");
    ASSERT_EQ(manager->textures.size(), 32u);
    for (const auto& [key, holder] : manager->textures)
        EXPECT_EQ(textureSize(*holder).x, key == 3 || key == 60 ? 0 : 5) << "key " << key;
    // Each texture holds its own image: red carries the key.
    std::vector<unsigned char> bgra(5 * 3 * 4);
    glBindTexture(GL_TEXTURE_2D, *manager->texture(4));
    glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_BYTE, bgra.data());
    EXPECT_EQ(bgra[2], 4);
    EXPECT_EQ(manager->texture(7), nullptr);
    EXPECT_EQ(manager->textures.size(), 33u);
}

TEST_F(TextureManagerTest, AHeaderClaimingMorePixelsThanTheFileHoldsIsRefused) {
    // A 5 x 3 bitmap whose header claims 268435461 pixels a row: loading
    // it would ask for 3 GiB of pixels that are not in the file.
    writeImage(scratch.path() / "huge.bmp", 5, 3, 24, 1, 2, 3);
    std::string huge = readText(scratch.path() / "huge.bmp");
    huge[21] = 0x10;
    writeText(scratch.path() / "huge.bmp", huge);
    const CapturedOutput refused = captureOutput(
        [&] { manager->loadTexture((scratch.path() / "huge.bmp").string(), 1, GL_BGR, GL_RGB); });
    EXPECT_EQ(refused.out, "\nALERT");
    EXPECT_EQ(textureSize(*manager->texture(1)).x, 0);
}

} // namespace
