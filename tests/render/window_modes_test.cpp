#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "app/input_callbacks.h"
#include "math/window_ratio.h"
#include "platform/keys.h"
#include "platform/window.h"
#include "render/offscreen_target.h"
#include "render/render_settings.h"
#include "tests/render/gl_test_support.h"

namespace {

bool sameSize(WindowSize a, WindowSize b) {
    return a.width == b.width && a.height == b.height;
}

// Handles window events until the window and the game both have the size.
bool settlesAt(WindowSize size) {
    for (int i = 0; i < 150; ++i) {
        pollWindowEvents();
        if (sameSize(currentWindowSize(), size) && windowWidth == size.width &&
            windowHeight == size.height) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

class WindowModeTest : public GLTest {
  protected:
    void SetUp() override {
        GLTest::SetUp(); // the screen is known once windowing is up
        screen = usableScreenSize();
        windowed = gameWindowSize(screen);
        resetRenderState();
        releaseAllKeys();
        fullscreenMode = false;
        resizeWindow(windowed);
        captureOutput([this] { ASSERT_TRUE(settlesAtAfterInstall(windowed)); });
    }
    void TearDown() override {
        releaseAllKeys();
        injectKey(Key::Enter, KeyAction::Release);
        resizeWindow(windowed);
        captureOutput([this] { settlesAt(windowed); });
        setKeyHandler({});
        setWindowSizeHandler({});
        deleteOffscreenTarget();
        fullscreenMode = false;
    }

    bool settlesAtAfterInstall(WindowSize size) {
        installInputCallbacks();
        return settlesAt(size);
    }

    WindowSize screen;
    WindowSize windowed;
};

TEST_F(WindowModeTest, InstallingTheHandlersAppliesTheWindowSizeAtOnce) {
    resetRenderState();
    deleteOffscreenTarget();
    const CapturedOutput output = captureOutput(installInputCallbacks);
    EXPECT_EQ(output.out, "\nFramebuffer created\n");
    EXPECT_EQ(windowWidth, windowed.width);
    EXPECT_EQ(windowHeight, windowed.height);
    EXPECT_EQ(offscreenTarget().width, windowed.width);
    EXPECT_FLOAT_EQ(aspectRatio, static_cast<float>(windowed.width) / windowed.height);
}

TEST_F(WindowModeTest, AltEnterGrowsAndShrinksTheOneWindow) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBindTexture(GL_TEXTURE_2D, 0);

    injectKey(Key::RightAlt, KeyAction::Press); // only the left Alt counts
    EXPECT_EQ(captureOutput([] { injectKey(Key::Enter, KeyAction::Press); }).out, "");
    EXPECT_FALSE(fullscreenMode);
    injectKey(Key::Enter, KeyAction::Release);
    injectKey(Key::LeftAlt, KeyAction::Press);
    CapturedOutput output = captureOutput([] { injectKey(Key::Enter, KeyAction::Press); });
    EXPECT_NE(output.out.find("Switched to Fullscreen Mode\n"), std::string::npos) << output.out;
    EXPECT_TRUE(fullscreenMode);
    captureOutput([this] { EXPECT_TRUE(settlesAt(screen)); });
    EXPECT_EQ(offscreenTarget().width, screen.width);
    EXPECT_EQ(offscreenTarget().height, screen.height);

    // Held down, Enter repeats; the mode switches only once per press.
    output = captureOutput([] { injectKey(Key::Enter, KeyAction::Press); });
    EXPECT_EQ(output.out, "");
    EXPECT_TRUE(fullscreenMode);

    injectKey(Key::Enter, KeyAction::Release);
    output = captureOutput([] { injectKey(Key::Enter, KeyAction::Press); });
    EXPECT_NE(output.out.find("Switched to Window Mode\n"), std::string::npos) << output.out;
    EXPECT_FALSE(fullscreenMode);
    captureOutput([this] { EXPECT_TRUE(settlesAt(windowed)); });

    // The context was never re-created: GL objects made before are intact,
    // and the key handler still answers.
    EXPECT_TRUE(glIsTexture(texture));
    glDeleteTextures(1, &texture);
    injectKey(Key::Enter, KeyAction::Release);
    output = captureOutput([] { injectKey(Key::Enter, KeyAction::Press); });
    EXPECT_NE(output.out.find("Switched to Fullscreen Mode\n"), std::string::npos);
}

} // namespace
