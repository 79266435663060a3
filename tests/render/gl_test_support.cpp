#include "tests/render/gl_test_support.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>

#include <FreeImage.h>
#include <gtest/gtest.h>

#include "app/window.h"

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
    if (bitsPerPixel == 8) {
        RGBQUAD* palette = FreeImage_GetPalette(image);
        for (int i = 0; i < 256; ++i) {
            const auto grey = static_cast<BYTE>(i);
            palette[i] = RGBQUAD{grey, grey, grey, 0};
        }
    }
    const int bytes = bitsPerPixel / 8;
    for (int y = 0; y < height; ++y) {
        BYTE* row = FreeImage_GetScanLine(image, y);
        for (int x = 0; x < width; ++x) {
            BYTE* pixel = row + x * bytes;
            const BYTE values[4] = {blue, green, red, alpha};
            for (int c = 0; c < bytes; ++c) {
                pixel[c] = values[c];
            }
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
