// Whole frames with the game's own shaders, textures and models, read back:
// what the player sees of planets, ships, icons, the order plane and the lens
// flare. How the whole scene looks the picture test compares.
#include <memory>

#include <gtest/gtest.h>

#include "math/camera.h"
#include "render/billboard.h"
#include "render/offscreen_target.h"
#include "render/overview_map_pass.h"
#include "render/palette.h"
#include "render/planet_pass.h"
#include "render/quads.h"
#include "render/renderer.h"
#include "render/scene_passes.h"
#include "render/sun_pass.h"
#include "tests/render/gl_test_support.h"

namespace {

class SceneRenderTest : public RendererTest {
  protected:
    void SetUp() override {
        setSunPosition({0.0f, 30.0f, 400.0f}); // behind a camera looking along -z
        RendererTest::SetUp();
        buildQuads();
        installScenePasses(&orderPlaneHeight, &ordersShown);
        lookFrom({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -10.0f});
    }
    void TearDown() override {
        RendererTest::TearDown();
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
        renderState().settings.showLayerGrid = false;
    }
    static Planet& addPlanet(const Vec3& position, float radius, int kind = 1) {
        galaxy().planets.push_back(std::make_unique<Planet>(radius, 0.0f, position, kind));
        return *galaxy().planets.back();
    }
    static void frame() {
        renderState().drawnShipCount = 0;
        renderFrame();
    }

    float orderPlaneHeight = -1.0f;
    bool ordersShown = true;
};

TEST_F(SceneRenderTest, CityWorldsLightTheirNightSide) {
    withoutBackdrop();
    Planet& planet = addPlanet({0.0f, 0.0f, -10.0f}, 2.0f);
    // With the sun behind it, a city world's dark face shows its lights.
    setSunPosition({0.0f, 0.0f, -400.0f});
    planet.model.textureKey = 4;
    planet.nightTextureKey = TextureKey::PlanetNight;
    frame();
    const int lights = readAttachment(0).countBright(700, 500, 300, 60);
    planet.nightTextureKey = TextureKey::None;
    frame();
    EXPECT_GT(lights, 500);
    EXPECT_LT(readAttachment(0).countBright(700, 500, 300, 60), lights / 10);
}

TEST_F(SceneRenderTest, FarShipsShowTheirIconInsteadOfTheirHullAndOnlyHullsAreCounted) {
    withoutBackdrop();
    Ship& ship = *galaxy().playerShips.emplace_back(
        std::make_shared<Ship>(true, Vec3{0.0f, 0.0f, -75.0f}, 1.0f));
    ship.headingPoint = {1.0f, 0.0f, -75.0f};
    frame();
    EXPECT_EQ(renderState().drawnShipCount, 1);
    const int hullPixels = readAttachment(0).countBright(700, 500, 40, 40);
    ship.position.z = -75.01f;
    frame();
    EXPECT_EQ(renderState().drawnShipCount, 0);
    const int iconPixels = readAttachment(0).countBright(700, 500, 40, 40);
    EXPECT_GT(hullPixels, 0);
    EXPECT_GT(iconPixels, 150);
    EXPECT_GT(iconPixels, 3 * hullPixels);
    ship.position = {0.0f, 0.0f, 200.0f}; // out of view, however far: nothing
    frame();
    EXPECT_EQ(readAttachment(0).countBright(700, 500, 700, 0), 0);
}

TEST_F(SceneRenderTest, TheOrderPlaneShowsOnlyAboveMinusOne) {
    withoutBackdrop();
    lookFrom({0.0f, 20.0f, 30.0f}, {0.0f, 0.0f, 0.0f});
    auto brightness = [] {
        frame();
        const glm::dvec3 c = readAttachment(0).mean(700, 500, 700);
        return c.r + c.g + c.b;
    };
    const double none = brightness();
    orderPlaneHeight = 0.0f;
    EXPECT_GT(brightness(), none + 5.0);
    orderPlaneHeight = -1.0f;
    EXPECT_EQ(brightness(), none);
}

TEST_F(SceneRenderTest, QueuedOrdersOfSelectedShipsAreDrawnInTheSideColour) {
    withoutBackdrop();
    Ship& ship = *galaxy().playerShips.emplace_back(
        std::make_shared<Ship>(true, Vec3{-6.0f, 3.0f, -20.0f}, 1.0f));
    ship.waypoints = {{{6.0f, -3.0f, -20.0f}}, {{6.0f, 3.0f, -20.0f}}};
    // The first leg crosses the middle of the view; a steering detour is no order.
    ship.waypoints.insert(ship.waypoints.begin(), {{0.0f, 9.0f, -20.0f}, Waypoint::ShipDetour});
    const auto middle = [] {
        frame();
        return readAttachment(0).mean(700, 500, 3);
    };
    EXPECT_EQ(middle(), glm::dvec3(0.0)) << "only selected ships show their orders";
    ship.selected = true;
    const glm::dvec3 standard = middle();
    EXPECT_GT(standard.g, 1.5 * standard.b);
    togglePalette();
    const glm::dvec3 safe = middle();
    togglePalette();
    EXPECT_GT(safe.b, safe.g);
    EXPECT_GT(safe.b, standard.b + 5.0);
    ordersShown = false; // F2 hides them with the rest of the overlay
    EXPECT_EQ(middle(), glm::dvec3(0.0));
}

TEST_F(SceneRenderTest, TheLensFlareNeedsTheSunInView) {
    withoutBackdrop();
    // With the sun behind, the pass leaves every bit of GL state alone.
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    renderState().settings.lensFlareEnabled = true;
    drawLensFlare();
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);

    setSunPosition({30.0f, 10.0f, -300.0f}); // ahead and in plain view, it shows
    frame();
    const int withFlare = readAttachment(0).countBright(700, 500, 700, 10);
    renderState().settings.lensFlareEnabled = false;
    frame();
    EXPECT_GT(withFlare, readAttachment(0).countBright(700, 500, 700, 10) + 2000);
}

// A crowd that moved on the map leaves no mark where it stood.
TEST_F(SceneRenderTest, TheMapShowsOnlyWhatThisFrameHolds) {
    OverviewMap map;
    map.rect = {{600.0f, 400.0f}, 200.0f};
    map.backdrop = {0.0f, 0.0f, 0.0f, 1.0f};
    map.dots = {{{650.0f, 450.0f}, 8.0f, {1.0f, 1.0f, 1.0f, 1.0f}, DotShape::Square}};
    glBindFramebuffer(GL_FRAMEBUFFER, offscreenTarget().framebuffer);
    drawOverviewMap(map);
    map.dots[0].centre = {750.0f, 550.0f};
    drawOverviewMap(map);
    const Image image = readAttachment(0); // rows from the bottom
    EXPECT_EQ(image.countBright(650, image.height - 450, 6, 60), 0);
    EXPECT_GT(image.countBright(750, image.height - 550, 6, 60), 100);
}

} // namespace
