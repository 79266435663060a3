// What the GL tests share: the game window and its GL context, scratch
// folders, images written on the fly, captured console output.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <epoxy/gl.h>
#include <glm/glm.hpp>
#include <gtest/gtest.h>

// Opens the game window unless it is open, and makes its context current.
void ensureGameWindow();

class GLTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(ensureGameWindow()); }
};

// The built game folder (VORLAXIS_GAME_DIR): Shaders/, Textures/, Models/.
std::filesystem::path gameDirectory();

// The working directory for the object's lifetime.
class ScopedWorkingDirectory {
  public:
    explicit ScopedWorkingDirectory(const std::filesystem::path& folder);
    ~ScopedWorkingDirectory();
    ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;

  private:
    std::filesystem::path previous_;
};

// An empty folder, removed with the object.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// A one-colour image at 24 or 32 bits, in the format the extension names.
void writeImage(const std::filesystem::path& file, int width, int height, int bitsPerPixel,
                unsigned char blue, unsigned char green, unsigned char red,
                unsigned char alpha = 255);
void writeText(const std::filesystem::path& file, const std::string& text);

struct CapturedOutput {
    std::string out, err;
};
CapturedOutput captureOutput(const std::function<void()>& run);

glm::ivec2 textureSize(GLuint texture); // of level 0
GLenum takeGLError();                   // the first queued error, or 0; empties the queue

// One colour attachment of the off-screen target as RGBA bytes.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;

    glm::ivec3 at(int x, int y) const;
    // Over a box centred on (x, y), clipped to the image: the mean colour,
    // and the pixels whose brightest channel exceeds `level`.
    glm::dvec3 mean(int x, int y, int half) const;
    int countBright(int x, int y, int half, int level) const;
};
Image readAttachment(int attachment);

// The renderer started in the game folder at the start size, with an empty
// galaxy and the starting camera.
class RendererTest : public GLTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    ScopedWorkingDirectory inGame{gameDirectory()};
    CapturedOutput startOutput;
};
