// Whole frames drawn with the game's own shaders, textures and models, read
// back from the off-screen target: what the player sees of planets, ships,
// lasers, icons, bars, the order plane, the sky and the lens flare.
#include <cstdlib>
#include <memory>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include "math/camera.h"
#include "math/window_ratio.h"
#include "render/billboard.h"
#include "render/offscreen_target.h"
#include "render/planet_pass.h"
#include "render/quads.h"
#include "render/renderer.h"
#include "render/scene_passes.h"
#include "render/sun_pass.h"
#include "sim/generation.h"
#include "tests/render/gl_test_support.h"

namespace {

constexpr Vec3 kSunBehind{0.0f, 30.0f, 400.0f}; // behind a camera looking along -z

// One colour attachment (or the depth buffer) of the off-screen target.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;

    glm::ivec3 at(int x, int y) const {
        const std::size_t i = 4 * (static_cast<std::size_t>(y) * width + x);
        return {rgba[i], rgba[i + 1], rgba[i + 2]};
    }
    // Mean colour over a box centred on (x, y), clipped to the image.
    glm::dvec3 mean(int x, int y, int half) const {
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
    // Pixels in the box whose brightest channel exceeds `level`.
    int countBright(int x, int y, int half, int level) const {
        int n = 0;
        for (int j = std::max(0, y - half); j < std::min(height, y + half); ++j) {
            for (int i = std::max(0, x - half); i < std::min(width, x + half); ++i) {
                const glm::ivec3 c = at(i, j);
                n += std::max({c.r, c.g, c.b}) > level ? 1 : 0;
            }
        }
        return n;
    }
};

class SceneRenderTest : public GLTest {
  protected:
    void SetUp() override {
        GLTest::SetUp();
        resetRenderState();
        resetGalaxy();
        initCamera();
        aspectRatio = kStartAspectRatio;
        setSunPosition(kSunBehind);
        captureOutput(initRenderer);
        buildQuads();
        installScenePasses(&orderPlaneHeight);
        lookFrom({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -10.0f});
    }
    void TearDown() override {
        scenePasses() = ScenePasses{};
        destroyRendererObjects();
        resetGalaxy();
        setSunPosition(kSunStartPosition);
    }

    static void lookFrom(const Vec3& eye, const Vec3& target) {
        camera().eye = eye;
        camera().target = target;
        updateCameraBasis();
        camera().viewChanged = true;
    }
    // Only the scene's objects, on black.
    static void withoutBackdrop() {
        scenePasses().sky = nullptr;
        renderSettings.showLayerGrid = false;
    }
    static Planet& addPlanet(const Vec3& position, float radius, int kind = 1) {
        galaxy().planets.push_back(std::make_unique<Planet>(radius, 0.0f, position, kind));
        return *galaxy().planets.back();
    }
    static Ship& addShip(bool isPlayer, const Vec3& position) {
        auto ship = std::make_shared<Ship>(isPlayer, position, 1.0f);
        ship->headingPoint = position + Vec3{1.0f, 0.0f, 0.0f};
        shipsOfSide(isPlayer).push_back(ship);
        return *ship;
    }

    static Image read(int attachment) {
        const OffscreenTarget& target = offscreenTarget();
        Image image{target.width, target.height, {}};
        image.rgba.resize(static_cast<std::size_t>(image.width) * image.height * 4);
        glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
        glReadBuffer(GL_COLOR_ATTACHMENT0 + static_cast<GLenum>(attachment));
        glReadPixels(0, 0, image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        return image;
    }
    static std::vector<float> readDepth() {
        const OffscreenTarget& target = offscreenTarget();
        std::vector<float> depth(static_cast<std::size_t>(target.width) * target.height);
        glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
        glReadPixels(0, 0, target.width, target.height, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        return depth;
    }
    // Where a world point lands in the target, in pixels from the bottom left.
    static glm::ivec2 onScreen(const Vec3& point) {
        const Vec3 p = glm::project(point, getViewMatrix(), projectionMatrix,
                                    Vec4{0.0f, 0.0f, windowWidth, windowHeight});
        return {static_cast<int>(p.x), static_cast<int>(p.y)};
    }
    static void frame() {
        drawnShipCount = 0;
        drawnPlanetCount = 0;
        renderFrame();
    }

    ScopedWorkingDirectory inGame{gameDirectory()};
    float orderPlaneHeight = -1.0f;
};

TEST_F(SceneRenderTest, TheSkyCoversTheBackgroundAndWritesNoDepth) {
    renderSettings.showLayerGrid = false;
    frame();
    const Image scene = read(0);
    int dark = 0;
    for (int y = 5; y < scene.height; y += 10) {
        for (int x = 5; x < scene.width; x += 10) {
            dark += scene.at(x, y) == glm::ivec3{0} ? 1 : 0;
        }
    }
    // The star field has a few truly black patches of its own.
    EXPECT_LT(dark, scene.width * scene.height / 100 / 10) << "sky pixels left black";
    for (float depth : readDepth()) {
        ASSERT_EQ(depth, 1.0f);
    }
    EXPECT_EQ(read(1).mean(700, 500, 700), glm::dvec3{0.0}) << "the sky must not glow";
}

TEST_F(SceneRenderTest, PlanetsLeanTowardTheirOwnersColour) {
    withoutBackdrop();
    Planet& planet = addPlanet({0.0f, 0.0f, -10.0f}, 2.0f);
    auto looks = [&](Side owner) {
        planet.owner = owner;
        planet.playerClaim = owner == Side::Player ? 100.0 : 0.0;
        planet.computerClaim = owner == Side::Computer ? 100.0 : 0.0;
        frame();
        return std::pair{read(0).mean(700, 500, 300), read(1).mean(700, 500, 300)};
    };
    const auto [neutral, neutralGlow] = looks(Side::Neutral);
    const auto [player, playerGlow] = looks(Side::Player);
    const auto [computer, computerGlow] = looks(Side::Computer);
    EXPECT_GT(player.b - player.r, neutral.b - neutral.r + 3.0);
    EXPECT_GT(computer.r - computer.b, neutral.r - neutral.b + 3.0);
    EXPECT_GT(playerGlow.b, 2.0 * playerGlow.r);
    EXPECT_GT(computerGlow.r, 2.0 * computerGlow.b);
    EXPECT_EQ(drawnPlanetCount, 1);
}

TEST_F(SceneRenderTest, NightSidesOfCityWorldsShowTheirLights) {
    withoutBackdrop();
    setSunPosition({0.0f, 0.0f, -400.0f}); // behind the planet: its face is dark
    Planet& planet = addPlanet({0.0f, 0.0f, -10.0f}, 2.0f, 4);
    planet.nightTextureKey = TextureKey::PlanetNight;
    frame();
    const int lights = read(0).countBright(700, 500, 300, 60);
    planet.nightTextureKey = TextureKey::None;
    frame();
    EXPECT_GT(lights, 500);
    EXPECT_LT(read(0).countBright(700, 500, 300, 60), lights / 10);
}

TEST_F(SceneRenderTest, OnlyContestedPlanetsShowTheirClaimBar) {
    withoutBackdrop();
    lookFrom({2.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -12.0f});
    Planet& planet = addPlanet({0.0f, 0.0f, -12.0f}, 1.0f);
    buildBalanceBars();
    const glm::ivec2 bar = onScreen(balanceBars()[0].position);
    auto barRow = [&](double player, double computer) {
        planet.playerClaim = player;
        planet.computerClaim = computer;
        frame();
        const Image scene = read(0);
        std::vector<glm::ivec3> row;
        for (int x = bar.x - 200; x <= bar.x + 200; ++x) {
            row.push_back(scene.at(x, bar.y));
        }
        return row;
    };
    const auto unclaimed = barRow(0.0, 0.0);
    EXPECT_EQ(barRow(100.0, 0.0), unclaimed);
    EXPECT_EQ(barRow(0.0, 99.0), unclaimed);

    int blue = 0;
    int red = 0;
    for (const glm::ivec3& c : barRow(40.0, 20.0)) {
        blue += c.b > c.r + 40 ? 1 : 0;
        red += c.r > c.b + 40 ? 1 : 0;
    }
    EXPECT_GT(blue, 60);
    EXPECT_GT(red, 30);
    EXPECT_GT(blue, red); // 40 against 20
}

TEST_F(SceneRenderTest, FarShipsShowTheirIconInsteadOfTheirHull) {
    withoutBackdrop();
    Ship& ship = addShip(true, {0.0f, 0.0f, -75.0f});
    frame();
    EXPECT_EQ(drawnShipCount, 1);
    const int hullPixels = read(0).countBright(700, 500, 40, 40);
    ship.position.z = -75.01f;
    frame();
    EXPECT_EQ(drawnShipCount, 0);
    const int iconPixels = read(0).countBright(700, 500, 40, 40);
    EXPECT_GT(hullPixels, 0);
    EXPECT_GT(iconPixels, 150);
    EXPECT_GT(iconPixels, 3 * hullPixels);

    // A ship outside the view shows nothing at all, however far.
    ship.position = {0.0f, 0.0f, 200.0f};
    frame();
    EXPECT_EQ(read(0).countBright(700, 500, 700, 0), 0);
}

TEST_F(SceneRenderTest, HullsAreLitFromTheSunWhicheverWayTheyHead) {
    withoutBackdrop();
    lookFrom({1.5f, 0.3f, 0.0f}, {0.0f, 0.0f, 0.0f});
    Ship& ship = addShip(true, {0.0f, 0.0f, 0.0f});
    ship.headingPoint = {0.0f, 0.0f, 5.0f}; // broadside to the camera
    auto brightness = [](const Vec3& sun) {
        setSunPosition(sun);
        frame();
        const glm::dvec3 c = read(0).mean(700, 500, 250);
        return c.r + c.g + c.b;
    };
    const double facingSun = brightness({500.0f, 100.0f, 0.0f});
    const double awayFromSun = brightness({-500.0f, 100.0f, 0.0f});
    EXPECT_GT(facingSun, 1.5 * awayFromSun);
}

TEST_F(SceneRenderTest, DrawnHullsOfBothSidesAreCounted) {
    withoutBackdrop();
    addShip(true, {-1.0f, 0.0f, -10.0f});
    addShip(true, {0.0f, 0.0f, -30.0f}).selected = true;
    addShip(false, {1.0f, 0.0f, -10.0f});
    addShip(false, {0.0f, 0.0f, -90.0f}); // an icon
    addShip(true, {0.0f, 0.0f, 10.0f});   // behind the camera
    frame();
    EXPECT_EQ(drawnShipCount, 3);
    layerFilter = 1; // heights 7 to 17: only the selected player ship stays
    frame();
    EXPECT_EQ(drawnShipCount, 1);
}

TEST_F(SceneRenderTest, LasersGlowInTheirSidesColour) {
    withoutBackdrop();
    Ship& shooter = addShip(true, {0.0f, -50.0f, -50.0f}); // out of view
    LaserShot shot;
    shot.position = {0.0f, 0.0f, -3.0f};
    shot.targetPoint = {5.0f, 0.0f, -3.0f};
    shooter.lasers.push_back(shot);
    frame();
    const glm::dvec3 player = read(1).mean(700, 500, 60);
    shooter.lasers[0].fromComputer = true;
    frame();
    const glm::dvec3 computer = read(1).mean(700, 500, 60);
    EXPECT_GT(player.g, player.r + 5.0);
    EXPECT_GT(computer.r, computer.g + 5.0);
    for (float depth : readDepth()) {
        ASSERT_EQ(depth, 1.0f) << "bolts must not write depth";
    }
}

TEST_F(SceneRenderTest, TheOrderPlaneShowsOnlyAboveMinusOne) {
    withoutBackdrop();
    lookFrom({0.0f, 20.0f, 30.0f}, {0.0f, 0.0f, 0.0f});
    auto brightness = [] {
        frame();
        const glm::dvec3 c = read(0).mean(700, 500, 700);
        return c.r + c.g + c.b;
    };
    const double none = brightness();
    orderPlaneHeight = -1.0f;
    EXPECT_EQ(brightness(), none);
    orderPlaneHeight = 0.0f;
    EXPECT_GT(brightness(), none + 5.0);
    orderPlaneHeight = -1.0f;
    EXPECT_EQ(brightness(), none);
}

TEST_F(SceneRenderTest, TheLayerFilterHidesOtherLayersAndTheirCounts) {
    std::srand(77);
    generateGalaxy();
    lookFrom({-30.0f, 60.0f, -30.0f}, {40.0f, 8.0f, 40.0f});
    auto expected = [](int layer) {
        int n = 0;
        for (const auto& planet : galaxy().planets) {
            const bool shown = layer == -1 || planet->layer == layer;
            n += planet->visible && shown ? 1 : 0;
            for (const Moon& moon : planet->moons) {
                n += moon.visible && (layer == -1 || moon.layer == layer) ? 1 : 0;
            }
        }
        return n;
    };
    frame();
    const int all = drawnPlanetCount;
    EXPECT_EQ(all, expected(-1));
    layerFilter = 1;
    frame();
    EXPECT_EQ(drawnPlanetCount, expected(1));
    EXPECT_GT(drawnPlanetCount, 0);
    EXPECT_LT(drawnPlanetCount, all);
}

TEST_F(SceneRenderTest, TheLensFlareNeedsTheSunInView) {
    withoutBackdrop();
    frame();
    const Image behind = read(0);
    renderSettings.lensFlareEnabled = false;
    frame();
    EXPECT_EQ(read(0).rgba, behind.rgba);

    // With the sun behind, the pass leaves every bit of GL state alone.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glDisable(GL_DEPTH_TEST);
    renderSettings.lensFlareEnabled = true;
    drawLensFlare();
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);

    // Ahead and in plain view, it shows.
    setSunPosition({30.0f, 10.0f, -300.0f});
    frame();
    const int withFlare = read(0).countBright(700, 500, 700, 10);
    renderSettings.lensFlareEnabled = false;
    frame();
    EXPECT_GT(withFlare, read(0).countBright(700, 500, 700, 10) + 2000);
}

TEST_F(SceneRenderTest, EveryPassLeavesTheStateTheNextOneExpects) {
    std::srand(5);
    generateGalaxy();
    buildBalanceBars();
    orderPlaneHeight = 2.0f;
    Ship& ship = *galaxy().playerShips.front();
    lookFrom(ship.position + Vec3{-4.0f, 3.0f, -4.0f}, ship.position);
    LaserShot shot;
    shot.position = ship.position;
    shot.targetPoint = ship.position + Vec3{3.0f, 0.0f, 0.0f};
    ship.lasers.push_back(shot);
    galaxy().planets.front()->playerClaim = 50.0;
    setSunPosition(camera().eye + 200.0f * glm::normalize(camera().target - camera().eye));
    renderFrame();

    const ScenePasses passes = scenePasses();
    const std::pair<const char*, const std::function<void()>*> order[] = {
        {"sky", &passes.sky},           {"grids", &passes.layerGrids},
        {"planets", &passes.planets},   {"sun", &passes.sun},
        {"ships", &passes.ships},       {"turrets", &passes.turrets},
        {"lasers", &passes.lasers},     {"order plane", &passes.orderPlane},
        {"overlays", &passes.overlays}, {"lens flare", &passes.lensFlare}};
    glBindFramebuffer(GL_FRAMEBUFFER, offscreenTarget().framebuffer);
    for (const auto& [name, pass] : order) {
        (*pass)();
        GLint program = -1;
        GLint vertexArray = -1;
        GLboolean depthWrites = GL_FALSE;
        glGetIntegerv(GL_CURRENT_PROGRAM, &program);
        glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &vertexArray);
        glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
        EXPECT_EQ(program, 0) << name;
        EXPECT_EQ(vertexArray, 0) << name;
        EXPECT_TRUE(depthWrites) << name;
        EXPECT_FALSE(glIsEnabled(GL_BLEND)) << name;
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)) << name;
        EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH)) << name;
        // Only the planet pass hands culling off, to the sun pass.
        EXPECT_EQ(glIsEnabled(GL_CULL_FACE), std::string(name) != "planets") << name;
        EXPECT_EQ(takeGLError(), static_cast<GLenum>(GL_NO_ERROR)) << name;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

} // namespace
