#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "render/texture_manager.h"
#include "tests/render/gl_test_support.h"

namespace {

int textureWidth(GLuint texture) {
    return textureSize(texture).x;
}

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

    // The texture's level 0 as tightly packed BGRA bytes.
    static std::vector<unsigned char> readBack(GLuint name, int width, int height) {
        std::vector<unsigned char> pixels(static_cast<std::size_t>(width * height * 4));
        glBindTexture(GL_TEXTURE_2D, name);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glBindTexture(GL_TEXTURE_2D, 0);
        return pixels;
    }

    TextureManager* manager = TextureManager::getInstance();
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
        EXPECT_EQ(textureWidth(*holder), key == 3 || key == 60 ? 0 : 5) << "key " << key;
    // Each texture holds its own image: red carries the key.
    EXPECT_EQ(readBack(*manager->texture(4), 5, 3)[2], 4);
    EXPECT_EQ(manager->texture(7), nullptr);
    EXPECT_EQ(manager->textures.size(), 33u);
}

TEST_F(TextureManagerTest, CorruptHeadersAreRefusedAndCutFilesStayInBounds) {
    // A 5 x 3 bitmap whose header claims 268435461 pixels a row: loading
    // it would ask for 3 GiB of pixels that are not in the file.
    writeImage(scratch.path() / "huge.bmp", 5, 3, 24, 1, 2, 3);
    std::string huge = readText(scratch.path() / "huge.bmp");
    huge[21] = 0x10;
    writeText(scratch.path() / "huge.bmp", huge);
    const CapturedOutput refused = captureOutput(
        [&] { manager->loadTexture((scratch.path() / "huge.bmp").string(), 1, GL_BGR, GL_RGB); });
    EXPECT_EQ(refused.out, "\nALERT");
    EXPECT_EQ(textureWidth(*manager->texture(1)), 0);

    // Files cut in half, as an interrupted copy leaves them: a bitmap loads
    // at its full size with what is there; PNG, TIFF and this small JPEG,
    // cut inside its tables, are refused.
    const std::pair<const char*, bool> cuts[] = {
        {"cut.bmp", true}, {"cut.png", false}, {"cut.tif", false}, {"cut.jpg", false}};
    int key = 20;
    for (const auto& [name, loads] : cuts) {
        const std::filesystem::path file = scratch.path() / name;
        writeImage(file, 64, 32, 24, 10, 20, 30);
        const std::string whole = readText(file);
        writeText(file, whole.substr(0, whole.size() / 2));
        const CapturedOutput output =
            captureOutput([&] { manager->loadTexture(file.string(), ++key, GL_BGR, GL_RGB); });
        EXPECT_EQ(output.out, loads ? "" : "\nALERT") << name;
        EXPECT_EQ(textureWidth(*manager->texture(key)), loads ? 64 : 0) << name;
        EXPECT_EQ(takeGLError(), static_cast<GLenum>(GL_NO_ERROR)) << name;
    }
}

TEST_F(TextureManagerTest, ReloadingAKeyKeepsItsHolderForEarlierLookups) {
    writeImage(scratch.path() / "a.bmp", 4, 4, 24, 0, 0, 255);
    writeImage(scratch.path() / "b.bmp", 8, 2, 24, 255, 0, 0);
    manager->loadTexture((scratch.path() / "a.bmp").string(), 12, GL_BGR, GL_RGB);
    GLuint* holder = manager->texture(12);
    const GLuint first = *holder;
    manager->loadTexture((scratch.path() / "b.bmp").string(), 12, GL_BGR, GL_RGB);
    EXPECT_EQ(manager->texture(12), holder);
    EXPECT_NE(*holder, first);
    EXPECT_FALSE(glIsTexture(first));
    EXPECT_EQ(textureWidth(*holder), 8);
}

} // namespace
