#include <FreeImage.h>
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
        setClockSource([this] { return now; });
        EXPECT_EQ(captureOutput(installHud).out, "");
    }
    void TearDown() override {
        destroyTextOverlay();
        setClockSource([] { return 0.0; });
        RendererTest::TearDown();
    }

    // The HUD over a black scene attachment, as the frame draws it over the
    // window; pixels of the message colour, a warm white, inside the panel,
    // and pixels of any colour outside it.
    std::pair<int, int> drawnPixels(const PixelRect& panel = {}) {
        glBindFramebuffer(GL_FRAMEBUFFER, offscreenTarget().framebuffer);
        const GLenum scene = GL_COLOR_ATTACHMENT0;
        glDrawBuffers(1, &scene);
        glClear(GL_COLOR_BUFFER_BIT);
        scenePasses().windowText();
        const Image image = readAttachment(0);
        std::pair<int, int> counts{0, 0};
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const glm::ivec3 c = image.at(x, y);
                const glm::vec2 p{x + 0.5f, image.height - y - 0.5f}; // from the top
                if (glm::all(glm::greaterThan(p, panel.min) && glm::lessThan(p, panel.max))) {
                    counts.first += c.r > 150 && c.r >= c.g && c.g >= c.b && c.b > 100;
                } else {
                    counts.second += c != glm::ivec3(0);
                }
            }
        }
        return counts;
    }

    double now = 50.0;
};

TEST_F(TextOverlayTest, AMessageShowsInsideItsPanelUntilItFadesOrF2HidesIt) {
    ASSERT_TRUE(isTextOverlayReady());
    FIBITMAP* atlas = FreeImage_Load(FIF_PNG, "Textures/glyphs.png", 0);
    GlyphSet glyphs{};
    EXPECT_TRUE(readGlyphSet(atlas, glyphs));
    FreeImage_Unload(atlas);
    const PixelRect panel = placeBlocks({{TextAnchor::BottomLeft, 1.0f, {{"Bloom : 0"}}}},
                                        glm::vec2(windowWidth, windowHeight), glyphs)
                                .panels.front()
                                .quad.screen;
    postMessage("Bloom : 0");
    const auto [inside, outside] = drawnPixels(panel);
    EXPECT_GT(inside, 100);
    EXPECT_EQ(outside, 0);

    now += kMessageSeconds;
    EXPECT_EQ(drawnPixels().second, 0);
    postMessage("Bloom : 1");
    hudShown = false;
    EXPECT_EQ(drawnPixels().second, 0);
    EXPECT_EQ(takeGLError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextOverlayTest, AMissingOrBrokenAtlasAlertsAndDrawsNothing) {
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
        EXPECT_EQ(drawnPixels().second, 0) << i;
    }
    EXPECT_EQ(takeGLError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
