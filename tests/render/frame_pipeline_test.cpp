// The frame around the scene: the off-screen target, its resizes, and bloom.
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "app/edge_scrolling.h"
#include "app/window_modes.h"
#include "math/camera.h"
#include "platform/window.h"
#include "render/gl_state.h"
#include "render/offscreen_target.h"
#include "render/post_processing.h"
#include "render/renderer.h"
#include "render/shader_programs.h"
#include "sim/galaxy.h"
#include "tests/render/gl_test_support.h"

namespace {

using FramePipelineTest = RendererTest;

// Scene and glow at the given size, the bloom at a quarter of it; after a
// resize, the viewport, window size and projection follow.
void expectResizedTo(int width, int height, bool resized = true) {
    for (int i : {Attachment::Scene, Attachment::Glow, Attachment::Bloom}) {
        const int shift = i == Attachment::Bloom ? 2 : 0;
        EXPECT_EQ(textureSize(offscreenTarget().colorTextures[static_cast<std::size_t>(i)]),
                  glm::ivec2(width >> shift, height >> shift));
    }
    if (!resized)
        return;
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], width);
    EXPECT_EQ(viewport[3], height);
    EXPECT_EQ(renderState().windowWidth, width);
    EXPECT_FLOAT_EQ(camera().aspectRatio, static_cast<float>(width) / static_cast<float>(height));
    EXPECT_EQ(renderState().projectionMatrix, sceneProjection(static_cast<float>(width) / height));
}

// The bloom target, read back at the window's pixel (x, y).
struct BloomImage {
    Image quarter;
    glm::ivec3 at(int x, int y) const { return quarter.at(x / 4, y / 4); }
};

BloomImage readBloom() {
    const OffscreenTarget& target = offscreenTarget();
    Image image{target.bloomWidth, target.bloomHeight, {}};
    image.rgba.resize(static_cast<std::size_t>(image.width) * image.height * 4);
    glBindTexture(GL_TEXTURE_2D, target.colorTextures[Attachment::Bloom]);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return {image};
}

// Glow of full strength over a box of the target, drawn by the planet pass.
void glowBox(int x, int y, int width, int height) {
    scenePasses().planets = [=] {
        const GLfloat white[4] = {1, 1, 1, 1};
        glEnable(GL_SCISSOR_TEST);
        glScissor(x, y, width, height);
        glClearBufferfv(GL_COLOR, 1, white);
        glDisable(GL_SCISSOR_TEST);
    };
}

TEST_F(FramePipelineTest, TheTargetFollowsResizesButAMinimisedWindowKeepsTheLastSize) {
    EXPECT_NE(startOutput.out.find("\nFramebuffer created\n"), std::string::npos);
    expectResizedTo(1400, 1000, false);
    EXPECT_EQ(captureOutput([] { resizeRenderer(800, 600); }).out, "\nFramebuffer created\n");
    expectResizedTo(800, 600);
    const GLuint framebuffer = offscreenTarget().framebuffer;
    EXPECT_EQ(captureOutput([] { resizeRenderer(0, 0); }).out, "");
    EXPECT_EQ(offscreenTarget().framebuffer, framebuffer);
    expectResizedTo(800, 600);
    EXPECT_EQ(captureOutput(renderFrame).err, "");
}

// The border flags are judged against the window's size as the windowing
// library has it, again at each size event (Alt+Enter); losing the focus clears them.
TEST_F(FramePipelineTest, EdgeFlagsFollowTheWindowSizeUntilTheFocusGoes) {
    installInputCallbacks();
    const WindowSize old = currentWindowSize();
    injectMousePosition(old.width - 5, old.height / 2);
    EXPECT_TRUE(edgeFlags().right);
    resizeWindow({old.width + 200, old.height});
    handleResize(old.width + 200, old.height); // the size event, no cursor event
    EXPECT_FALSE(edgeFlags().right) << "judged against the old size";
    resizeWindow(old); // its size event still to come
    injectMousePosition(old.width - 5, old.height / 2);
    EXPECT_TRUE(edgeFlags().right) << "judged against the renderer's stale size";
    injectFocusLoss();
    EXPECT_FALSE(edgeFlags().right);
}

TEST_F(FramePipelineTest, BloomBlursTheGlowScaledByTheBloomFactor) {
    // A 10 x 10 white square of glow in the middle of the target.
    glowBox(695, 495, 10, 10);
    renderFrame();
    const BloomImage bloom = readBloom();
    const int centre = bloom.at(700, 500).r;
    EXPECT_GT(centre, 150);
    EXPECT_GT(bloom.at(707, 500).r, 5) << "the glow does not spread";
    EXPECT_LT(bloom.at(707, 500).r, centre);
    EXPECT_EQ(bloom.at(800, 500).r, 0);
    renderState().settings.bloomFactor = 0.5f;
    renderFrame();
    EXPECT_NEAR(readBloom().at(700, 500).r, centre / 2, 2);
    // A bloom shader that failed to build leaves the target black, not stale.
    ShaderProgram& shader = shaderProgram(Program::Bloom);
    const GLuint built = std::exchange(shader.program, 0u);
    renderFrame();
    shader.program = built;
    EXPECT_EQ(readBloom().at(700, 500), glm::ivec3(0));
    renderState().settings.bloomEnabled = false;
    renderFrame();
    EXPECT_EQ(readBloom().at(700, 500), glm::ivec3(0));
}

TEST_F(FramePipelineTest, BloomAtOneEdgeStaysAtThatEdge) {
    // A bright spot against the left edge, in the middle of the height.
    glowBox(0, 490, 12, 20);
    renderFrame();
    const BloomImage bloom = readBloom();
    EXPECT_GT(bloom.at(4, 500).r, 100);
    for (int x : {1399, 1390, 1380})
        EXPECT_EQ(bloom.at(x, 500), glm::ivec3(0)) << x;
}

// What GL was last told is not sent again, until a new frame forgets it:
// between frames tests and tools may change GL behind the passes' backs.
TEST_F(FramePipelineTest, PassesSendOnlyTheGlStateThatChangedUntilAFrameForgetsIt) {
    useGlState({.blend = Blend::Alpha});
    glDisable(GL_BLEND);
    useGlState({.blend = Blend::Alpha, .depthTest = false});
    EXPECT_FALSE(glIsEnabled(GL_BLEND)) << "sent again";
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    forgetGlState();
    useGlState({.blend = Blend::Alpha, .depthTest = false});
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
}

} // namespace
