#include "tests/render/gl_test_support.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>

#include <FreeImage.h>
#include <gtest/gtest.h>

#include "math/camera.h"
#include "math/window_ratio.h"
#include "platform/window.h"
#include "render/offscreen_target.h"
#include "render/render_settings.h"
#include "render/renderer.h"
#include "sim/galaxy.h"

void ensureGameWindow() {
    static const bool imagesReady = (FreeImage_Initialise(FALSE), true);
    (void)imagesReady;
    if (isWindowOpen()) {
        return;
    }
    // Other suites in this binary open and close windows of their own.
    terminateWindowing();
    ASSERT_TRUE(initWindowing()) << "no display: run under xvfb-run";
    ASSERT_TRUE(openGameWindow()) << "no OpenGL 3.2 core context";
}

std::filesystem::path gameDirectory() {
    const char* folder = std::getenv("VORLAXIS_GAME_DIR");
    return folder != nullptr ? std::filesystem::path(folder) : std::filesystem::current_path();
}

ScopedWorkingDirectory::ScopedWorkingDirectory(const std::filesystem::path& folder)
    : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
}

ScopedWorkingDirectory::~ScopedWorkingDirectory() {
    std::filesystem::current_path(previous_);
}

ScratchFolder::ScratchFolder() {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() / ("vorlaxis-gl-" + std::to_string(seed()));
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void writeImage(const std::filesystem::path& file, int width, int height, int bitsPerPixel,
                unsigned char blue, unsigned char green, unsigned char red, unsigned char alpha) {
    std::filesystem::create_directories(file.parent_path());
    FIBITMAP* image = FreeImage_Allocate(width, height, bitsPerPixel);
    const BYTE values[4] = {blue, green, red, alpha};
    const int bytes = bitsPerPixel / 8;
    for (int y = 0; y < height; ++y) {
        for (int i = 0; i < width * bytes; ++i) {
            FreeImage_GetScanLine(image, y)[i] = values[i % bytes];
        }
    }
    const std::string name = file.string();
    FREE_IMAGE_FORMAT format = FreeImage_GetFIFFromFilename(name.c_str());
    const int flags = format == FIF_JPEG ? JPEG_QUALITYSUPERB : 0;
    const bool saved = FreeImage_Save(format, image, name.c_str(), flags) == TRUE;
    FreeImage_Unload(image);
    ASSERT_TRUE(saved) << name;
}

void writeText(const std::filesystem::path& file, const std::string& text) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

CapturedOutput captureOutput(const std::function<void()>& run) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    run();
    std::cout.flush();
    std::cerr.flush();
    CapturedOutput captured;
    captured.out = testing::internal::GetCapturedStdout();
    captured.err = testing::internal::GetCapturedStderr();
    return captured;
}

void textureSize(GLuint texture, int& width, int& height) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glBindTexture(GL_TEXTURE_2D, 0);
}

GLenum takeGLError() {
    GLenum first = GL_NO_ERROR;
    for (GLenum code = glGetError(); code != GL_NO_ERROR; code = glGetError()) {
        if (first == GL_NO_ERROR) {
            first = code;
        }
    }
    return first;
}

glm::ivec3 Image::at(int x, int y) const {
    const std::size_t i = 4 * (static_cast<std::size_t>(y) * width + x);
    return {rgba[i], rgba[i + 1], rgba[i + 2]};
}

glm::dvec3 Image::mean(int x, int y, int half) const {
    glm::dvec3 sum{0.0};
    int n = 0;
    for (int j = std::max(0, y - half); j < std::min(height, y + half); ++j) {
        for (int i = std::max(0, x - half); i < std::min(width, x + half); ++i) {
            sum += glm::dvec3(at(i, j));
            ++n;
        }
    }
    return n > 0 ? sum / static_cast<double>(n) : sum;
}

int Image::countBright(int x, int y, int half, int level) const {
    int n = 0;
    for (int j = std::max(0, y - half); j < std::min(height, y + half); ++j) {
        for (int i = std::max(0, x - half); i < std::min(width, x + half); ++i) {
            const glm::ivec3 c = at(i, j);
            n += std::max({c.r, c.g, c.b}) > level ? 1 : 0;
        }
    }
    return n;
}

Image readAttachment(int attachment) {
    const OffscreenTarget& target = offscreenTarget();
    Image image{target.width, target.height, {}};
    image.rgba.resize(static_cast<std::size_t>(image.width) * image.height * 4);
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    glReadBuffer(GL_COLOR_ATTACHMENT0 + static_cast<GLenum>(attachment));
    glReadPixels(0, 0, image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return image;
}

void RendererTest::SetUp() {
    GLTest::SetUp();
    resetRenderState();
    resetGalaxy();
    initCamera();
    aspectRatio = kStartAspectRatio;
    startOutput = captureOutput(initRenderer);
}

void RendererTest::TearDown() {
    scenePasses() = ScenePasses{};
    destroyRendererObjects();
    resetGalaxy();
}
