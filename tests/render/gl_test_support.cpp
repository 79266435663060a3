#include "tests/render/gl_test_support.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>

#include <FreeImage.h>
#include <gtest/gtest.h>

#include "math/camera.h"
#include "platform/window.h"
#include "render/offscreen_target.h"
#include "render/render_state.h"
#include "render/renderer.h"
#include "sim/galaxy.h"

namespace fs = std::filesystem;

void ensureGameWindow() {
    static const bool imagesReady = (FreeImage_Initialise(FALSE), true);
    (void)imagesReady;
    if (isWindowOpen())
        return;
    terminateWindowing(); // other suites in this binary open and close windows of their own
    ASSERT_TRUE(initWindowing()) << "no display: run under xvfb-run";
    ASSERT_TRUE(openGameWindow()) << "no OpenGL 3.2 core context";
}

fs::path gameDirectory() {
    const char* folder = std::getenv("VORLAXIS_GAME_DIR");
    return folder != nullptr ? fs::path(folder) : fs::current_path();
}

ScopedWorkingDirectory::ScopedWorkingDirectory(const fs::path& folder)
    : previous_(fs::current_path()) {
    fs::current_path(folder);
}

ScopedWorkingDirectory::~ScopedWorkingDirectory() {
    fs::current_path(previous_);
}

ScratchFolder::ScratchFolder()
    : path_(fs::temp_directory_path() / ("vorlaxis-gl-" + std::to_string(std::random_device{}()))) {
    fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void writeImage(const fs::path& file, int width, int height, int bitsPerPixel, unsigned char blue,
                unsigned char green, unsigned char red, unsigned char alpha) {
    fs::create_directories(file.parent_path());
    FIBITMAP* image = FreeImage_Allocate(width, height, bitsPerPixel);
    const BYTE values[4] = {blue, green, red, alpha};
    const int bytes = bitsPerPixel / 8;
    for (int y = 0; y < height; ++y)
        for (int i = 0; i < width * bytes; ++i)
            FreeImage_GetScanLine(image, y)[i] = values[i % bytes];
    const std::string name = file.string();
    const FREE_IMAGE_FORMAT format = FreeImage_GetFIFFromFilename(name.c_str());
    const bool saved = FreeImage_Save(format, image, name.c_str(),
                                      format == FIF_JPEG ? JPEG_QUALITYSUPERB : 0) == TRUE;
    FreeImage_Unload(image);
    ASSERT_TRUE(saved) << name;
}

void writeText(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

CapturedOutput captureOutput(const std::function<void()>& run) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    run();
    std::cout.flush();
    std::cerr.flush();
    CapturedOutput captured{testing::internal::GetCapturedStdout(), {}};
    captured.err = testing::internal::GetCapturedStderr();
    return captured;
}

glm::ivec2 textureSize(GLuint texture) {
    glm::ivec2 size{-1};
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &size.x);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &size.y);
    glBindTexture(GL_TEXTURE_2D, 0);
    return size;
}

GLenum takeGLError() {
    const GLenum first = glGetError();
    while (glGetError() != GL_NO_ERROR) {
    }
    return first;
}

glm::ivec3 Image::at(int x, int y) const {
    const std::size_t i = 4 * (static_cast<std::size_t>(y) * width + x);
    return {rgba[i], rgba[i + 1], rgba[i + 2]};
}

// Calls visit(colour) for every pixel of the box centred on (x, y), clipped
// to the image; returns how many there were.
template <typename Visit>
static int forBox(const Image& image, int x, int y, int half, Visit visit) {
    int n = 0;
    for (int j = std::max(0, y - half); j < std::min(image.height, y + half); ++j)
        for (int i = std::max(0, x - half); i < std::min(image.width, x + half); ++i, ++n)
            visit(image.at(i, j));
    return n;
}

glm::dvec3 Image::mean(int x, int y, int half) const {
    glm::dvec3 sum{0.0};
    const int n = forBox(*this, x, y, half, [&](glm::ivec3 c) { sum += glm::dvec3(c); });
    return n > 0 ? sum / static_cast<double>(n) : sum;
}

int Image::countBright(int x, int y, int half, int level) const {
    int bright = 0;
    forBox(*this, x, y, half, [&](glm::ivec3 c) { bright += std::max({c.r, c.g, c.b}) > level; });
    return bright;
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
    camera().aspectRatio = kStartAspectRatio;
    startOutput = captureOutput(initRenderer);
}

void RendererTest::TearDown() {
    scenePasses() = ScenePasses{};
    destroyRendererObjects();
    resetGalaxy();
}
