#include <gtest/gtest.h>

#include "app/hud.h"
#include "app/messages.h"
#include "render/offscreen_target.h"
#include "render/renderer.h"
#include "render/text_overlay.h"
#include "sim/clock.h"
#include "tests/render/gl_test_support.h"

namespace {

class TextOverlayTest : public RendererTest {
  protected:
    void SetUp() override {
        RendererTest::SetUp();
        resetHud();
        setClockSource([] { return 50.0; });
        EXPECT_EQ(captureOutput(installHud).out, "");
    }
    void TearDown() override {
        destroyTextOverlay();
        setClockSource([] { return 0.0; });
        RendererTest::TearDown();
    }

    // Pixels the HUD draws over a black scene attachment, as the frame does.
    static int drawnPixels() {
        glBindFramebuffer(GL_FRAMEBUFFER, offscreenTarget().framebuffer);
        const GLenum scene = GL_COLOR_ATTACHMENT0;
        glDrawBuffers(1, &scene);
        glClear(GL_COLOR_BUFFER_BIT);
        scenePasses().windowText();
        const Image image = readAttachment(0);
        return image.countBright(image.width / 2, image.height / 2, image.width, 0);
    }
};

// Where messages show, how they fade and that F2 hides them, the end-to-end
// test of the on-screen text reads off the screen.
TEST_F(TextOverlayTest, AMessageDrawsButAMissingOrBrokenAtlasAlertsAndDrawsNothing) {
    ASSERT_TRUE(isTextOverlayReady());
    postMessage("Bloom : 0");
    EXPECT_GT(drawnPixels(), 100);
    const ScratchFolder folder;
    const ScopedWorkingDirectory inFolder(folder.path());
    const std::function<void()> breakings[] = {
        [] {}, [] { writeText("Textures/glyphs.png", "\x89PNG\r\n\x1a\n cut short"); },
        [] { writeImage("Textures/glyphs.png", 512, 128, 32, 9, 9, 9); },
        [] { writeImage("Textures/glyphs.png", 512, 256, 32, 0, 0, 0); }, // no advances
    };
    for (std::size_t i = 0; i < std::size(breakings); ++i) {
        destroyTextOverlay();
        breakings[i]();
        EXPECT_EQ(captureOutput(createTextOverlay).out, "\nALERT") << i;
        EXPECT_FALSE(isTextOverlayReady()) << i;
        postMessage("still playing");
        EXPECT_EQ(drawnPixels(), 0) << i;
    }
    EXPECT_EQ(takeGLError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
