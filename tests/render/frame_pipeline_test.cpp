#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/input_callbacks.h"
#include "math/camera.h"
#include "math/window_ratio.h"
#include "render/offscreen_target.h"
#include "render/post_processing.h"
#include "render/renderer.h"
#include "render/texture_filtering.h"
#include "render/texture_manager.h"
#include "tests/render/gl_test_support.h"

namespace {

class FramePipelineTest : public GLTest {
  protected:
    void SetUp() override {
        GLTest::SetUp();
        resetRenderState();
        resetGalaxy();
        initCamera();
        aspectRatio = kStartAspectRatio;
        startOutput = captureOutput(initRenderer);
    }
    void TearDown() override {
        scenePasses() = ScenePasses{};
        destroyRendererObjects();
        resetGalaxy();
    }

    // RGBA of one pixel of a colour attachment of the off-screen target.
    static std::vector<int> targetPixel(int attachment, int x, int y) {
        unsigned char rgba[4] = {};
        glBindFramebuffer(GL_FRAMEBUFFER, offscreenTarget().framebuffer);
        glReadBuffer(GL_COLOR_ATTACHMENT0 + static_cast<GLenum>(attachment));
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        return {rgba[0], rgba[1], rgba[2], rgba[3]};
    }

    ScopedWorkingDirectory inGame{gameDirectory()};
    CapturedOutput startOutput;
};

TEST_F(FramePipelineTest, StartsWithItsTwoLoadingLinesAndATargetOfTheStartSize) {
    EXPECT_EQ(startOutput.out,
              "Loading Textures...\nDone Loading Textures\n\nFramebuffer created\n");
    EXPECT_EQ(startOutput.err, "");
    const OffscreenTarget& target = offscreenTarget();
    for (GLuint texture : target.colorTextures) {
        int width = 0;
        int height = 0;
        textureSize(texture, width, height);
        EXPECT_EQ(width, 1400);
        EXPECT_EQ(height, 1000);
    }
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
}

TEST_F(FramePipelineTest, AResizeRebuildsTheTargetAndAMinimisedWindowKeepsTheLastSize) {
    const CapturedOutput resized = captureOutput([] { handleResize(800, 600); });
    EXPECT_EQ(resized.out, "\nFramebuffer created\n");
    int width = 0;
    int height = 0;
    textureSize(offscreenTarget().colorTextures[Attachment::Bloom], width, height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    EXPECT_EQ(windowWidth, 800);
    EXPECT_EQ(windowHeight, 600);
    EXPECT_FLOAT_EQ(aspectRatio, 800.0f / 600.0f);
    EXPECT_EQ(projectionMatrix, sceneProjection(800.0f / 600.0f));
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);

    const GLuint framebuffer = offscreenTarget().framebuffer;
    const glm::mat4 projection = projectionMatrix;
    const CapturedOutput minimised = captureOutput([] { handleResize(0, 0); });
    EXPECT_EQ(minimised.out, "");
    EXPECT_EQ(offscreenTarget().framebuffer, framebuffer);
    EXPECT_EQ(windowWidth, 800);
    EXPECT_EQ(projectionMatrix, projection);
    EXPECT_FLOAT_EQ(aspectRatio, 800.0f / 600.0f);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    const CapturedOutput frame = captureOutput(renderFrame);
    EXPECT_EQ(frame.err, "");
}

TEST_F(FramePipelineTest, ScenePassesRunInStageOrderWithTheirDrawBuffers) {
    std::vector<std::string> calls;
    auto record = [&calls](const char* name) {
        return [&calls, name] {
            GLint buffers[3] = {};
            for (int i = 0; i < 3; ++i) {
                glGetIntegerv(GL_DRAW_BUFFER0 + i, &buffers[i]);
            }
            GLint framebuffer = 0;
            glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &framebuffer);
            std::string entry = name;
            entry += buffers[0] == GL_COLOR_ATTACHMENT0 ? " 0" : " ?";
            entry += buffers[1] == GL_COLOR_ATTACHMENT1 ? "1" : "";
            entry += buffers[2] != GL_NONE ? " too many" : "";
            entry +=
                framebuffer == static_cast<GLint>(offscreenTarget().framebuffer) ? "" : " window";
            calls.push_back(entry);
        };
    };
    ScenePasses& passes = scenePasses();
    passes.sky = record("sky");
    passes.layerGrids = record("grids");
    passes.planets = record("planets");
    passes.sun = record("sun");
    passes.ships = record("ships");
    passes.turrets = record("turrets");
    passes.lasers = record("lasers");
    passes.orderPlane = record("orderPlane");
    passes.overlays = record("overlays");
    passes.lensFlare = record("lensFlare");
    renderFrame();
    EXPECT_EQ(calls, (std::vector<std::string>{"sky 0", "grids 0", "planets 01", "sun 01",
                                               "ships 01", "turrets 01", "lasers 01",
                                               "orderPlane 01", "overlays 01", "lensFlare 01"}));
    calls.clear();
    renderSettings.showLayerGrid = false;
    renderFrame();
    ASSERT_EQ(calls.size(), 9u);
    EXPECT_EQ(calls[1], "planets 01");
}

TEST_F(FramePipelineTest, BloomBlursTheGlowScaledByTheBloomFactor) {
    // A 10 x 10 white square of glow in the middle of the target.
    scenePasses().planets = [] {
        const GLfloat white[4] = {1, 1, 1, 1};
        glEnable(GL_SCISSOR_TEST);
        glScissor(695, 495, 10, 10);
        glClearBufferfv(GL_COLOR, 1, white);
        glDisable(GL_SCISSOR_TEST);
    };
    renderFrame();
    const std::vector<int> centre = targetPixel(Attachment::Bloom, 700, 500);
    const std::vector<int> beside = targetPixel(Attachment::Bloom, 707, 500);
    const std::vector<int> far = targetPixel(Attachment::Bloom, 800, 500);
    EXPECT_GT(centre[0], 150);
    EXPECT_GT(beside[0], 5) << "the glow does not spread";
    EXPECT_LT(beside[0], centre[0]);
    EXPECT_EQ(far[0], 0);
    EXPECT_EQ(targetPixel(Attachment::Glow, 700, 500)[0], 255);
    EXPECT_EQ(targetPixel(Attachment::Scene, 700, 500)[0], 0);

    renderSettings.bloomFactor = 0.5f;
    renderFrame();
    EXPECT_NEAR(targetPixel(Attachment::Bloom, 700, 500)[0], centre[0] / 2, 2);

    renderSettings.bloomEnabled = false;
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    renderFrame();
    EXPECT_EQ(targetPixel(Attachment::Bloom, 700, 500), (std::vector<int>{0, 0, 0, 255}));
}

TEST_F(FramePipelineTest, TheOverlayIsVictoryOverDefeatOverHelp) {
    EXPECT_EQ(chooseOverlay(false, false, false).helpEnabled, 1.0f);
    EXPECT_EQ(chooseOverlay(false, false, false).textureKey, 0);
    EXPECT_EQ(chooseOverlay(false, false, true).textureKey, 100);
    EXPECT_EQ(chooseOverlay(false, true, true).textureKey, 101);
    EXPECT_EQ(chooseOverlay(true, true, true).textureKey, 102);
    EXPECT_EQ(chooseOverlay(true, false, false).helpEnabled, 4.0f);

    // Pure red help, green defeat and blue victory images over a black scene.
    ScratchFolder scratch;
    TextureManager* textures = TextureManager::getInstance();
    const int keys[3] = {100, 101, 102};
    for (int i = 0; i < 3; ++i) {
        const auto file = scratch.path() / ("overlay" + std::to_string(i) + ".bmp");
        writeImage(file, 8, 8, 24, i == 2 ? 200 : 0, i == 1 ? 200 : 0, i == 0 ? 200 : 0);
        textures->loadTexture(file.string(), keys[i], GL_BGR, GL_RGB);
    }
    unsigned char rgba[4] = {};
    auto compositeCentre = [&rgba] {
        runCompositePass();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glReadBuffer(GL_BACK);
        glReadPixels(windowWidth / 2, windowHeight / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        const int strongest = rgba[0] >= rgba[1] && rgba[0] >= rgba[2] ? 0
                              : rgba[1] >= rgba[2]                     ? 1
                                                                       : 2;
        return rgba[strongest] > 150 ? strongest : -1;
    };
    renderFrame(); // clears the scene and bloom attachments
    Galaxy& g = galaxy();
    EXPECT_EQ(compositeCentre(), -1);
    renderSettings.showHelp = true;
    EXPECT_EQ(compositeCentre(), 0);
    g.playerDefeated = true;
    EXPECT_EQ(compositeCentre(), 1);
    g.playerVictorious = true;
    EXPECT_EQ(compositeCentre(), 2);
    // The end screen all but covers the black scene, in the image's own
    // colour: the window does not brighten it a second time.
    EXPECT_NEAR(rgba[2], 0.92 * 200, 3);
    EXPECT_TRUE(glIsEnabled(GL_FRAMEBUFFER_SRGB));
    renderSettings.showHelp = false;
    g.playerDefeated = false;
    EXPECT_EQ(compositeCentre(), 2);
    EXPECT_EQ(takeGLError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(FramePipelineTest, FilterAndMipmapChangesApplyOnceAtTheNextFrame) {
    EXPECT_FALSE(filterParameters(3, TextureFilter::Linear).has_value());

    auto filters = [](int key) {
        GLint mag = 0;
        GLint min = 0;
        glBindTexture(GL_TEXTURE_2D, *TextureManager::getInstance()->texture(key));
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
        glBindTexture(GL_TEXTURE_2D, 0);
        return std::pair<GLint, GLint>{mag, min};
    };
    renderSettings.requestedMipmap = MipmapMode::Linear;
    renderSettings.requestedMipmap = MipmapMode::Nearest; // pressed twice in one frame
    renderSettings.requestedFilter = TextureFilter::Nearest;
    EXPECT_EQ(filters(1), (std::pair<GLint, GLint>{GL_LINEAR, GL_LINEAR}));
    renderFrame();
    EXPECT_EQ(renderSettings.appliedMipmap, MipmapMode::Nearest);
    EXPECT_EQ(renderSettings.appliedFilter, TextureFilter::Nearest);
    for (int key : {1, 60, 102}) {
        EXPECT_EQ(filters(key), (std::pair<GLint, GLint>{GL_NEAREST, GL_NEAREST_MIPMAP_NEAREST}));
    }
    // Nothing new requested: the next frame leaves the textures alone.
    glBindTexture(GL_TEXTURE_2D, *TextureManager::getInstance()->texture(60));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    renderFrame();
    EXPECT_EQ(filters(60).second, GL_LINEAR);
}

TEST_F(FramePipelineTest, VisibilityFollowsTheViewWhileCullingIsOn) {
    // The camera starts at (-25, 40, -55) looking at (0, 0, -15).
    Galaxy& g = galaxy();
    g.planets.push_back(std::make_unique<Planet>(1.0f, 0.0f, Vec3{0, 0, -15}, 1));
    g.planets.push_back(std::make_unique<Planet>(1.0f, 0.0f, Vec3{-50, 80, -95}, 1));
    Moon moon;
    moon.orbitDistance = 1.3f;
    moon.orbitOffset = {1.3f, 0.0f, 0.0f, 1.0f};
    g.planets[0]->moons.push_back(moon);
    g.planets[1]->moons.push_back(moon);
    g.playerShips.push_back(std::make_shared<Ship>(true, Vec3{2, 0, -15}, 1.0f));
    g.computerShips.push_back(std::make_shared<Ship>(false, Vec3{0, 0, 300}, 1.0f));
    g.planets[1]->visible = true;
    renderFrame();
    EXPECT_TRUE(g.planets[0]->visible);
    EXPECT_TRUE(g.planets[0]->moons[0].visible);
    EXPECT_FALSE(g.planets[1]->visible);
    EXPECT_FALSE(g.planets[1]->moons[0].visible);
    EXPECT_TRUE(g.playerShips[0]->visible);
    EXPECT_FALSE(g.computerShips[0]->visible);

    renderSettings.frustumCulling = false;
    g.planets[0]->position = {-50, 80, -95};
    g.planets[1]->position = {0, 0, -15};
    renderFrame();
    EXPECT_TRUE(g.planets[0]->visible);
    EXPECT_FALSE(g.planets[1]->visible);
}

} // namespace
