// What the GL tests share: the game window with its GL context, scratch
// folders laid out like the game folder, images written on the fly, and
// captured console output.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <epoxy/gl.h>
#include <glm/glm.hpp>
#include <gtest/gtest.h>

// Opens the game window, unless a test before closed it, and makes its GL
// context current.
void ensureGameWindow();

// Base of every test that needs the GL context.
class GLTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(ensureGameWindow()); }
};

// The built game folder (VORLAXIS_GAME_DIR), holding Shaders/, Textures/
// and Models/.
std::filesystem::path gameDirectory();

// Makes a folder the working directory for the lifetime of the object.
class ScopedWorkingDirectory {
  public:
    explicit ScopedWorkingDirectory(const std::filesystem::path& folder);
    ~ScopedWorkingDirectory();
    ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
    ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

  private:
    std::filesystem::path previous_;
};

// An empty folder that is removed with the object.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// Writes a width x height image of one colour (blue, green, red, alpha) at
// 24 or 32 bits per pixel, in the format the file name's extension names.
void writeImage(const std::filesystem::path& file, int width, int height, int bitsPerPixel,
                unsigned char blue, unsigned char green, unsigned char red,
                unsigned char alpha = 255);

void writeText(const std::filesystem::path& file, const std::string& text);

struct CapturedOutput {
    std::string out;
    std::string err;
};

// Runs the function with standard output and standard error captured.
CapturedOutput captureOutput(const std::function<void()>& run);

// Width and height of level 0 of a 2D texture.
void textureSize(GLuint texture, int& width, int& height);

// Drains the GL error queue; returns the first error found, or 0.
GLenum takeGLError();

// One colour attachment of the off-screen target, read back as RGBA bytes.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;

    glm::ivec3 at(int x, int y) const;
    // Mean colour over a box centred on (x, y), clipped to the image.
    glm::dvec3 mean(int x, int y, int half) const;
    // Pixels in the box whose brightest channel exceeds `level`.
    int countBright(int x, int y, int half, int level) const;
};

Image readAttachment(int attachment);

// Base of the tests that draw whole frames: the renderer started in the game
// folder at the start size, with an empty galaxy and the starting camera.
class RendererTest : public GLTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    ScopedWorkingDirectory inGame{gameDirectory()};
    CapturedOutput startOutput;
};
