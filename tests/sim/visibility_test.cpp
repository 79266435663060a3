// Whether the sun shows (and so its flare): wholly inside the view, no planet
// of a shown layer on the line of sight.
#include <memory>

#include <gtest/gtest.h>

#include "math/camera.h"
#include "sim/visibility.h"

namespace {

TEST(SunVisibilityTest, SunMustLieWhollyInViewWithNoShownPlanetOnTheLineOfSight) {
    resetGalaxy();
    initCamera();
    camera().eye = {0.0f, 0.0f, 0.0f}; // looking down -z at the sun
    camera().target = {0.0f, 0.0f, -10.0f};
    updateCameraBasis();
    ASSERT_EQ(camera().aspectRatio, kStartAspectRatio); // the view's right edge: x = 65.3 at 100
    const Vec3 sun{0.0f, 0.0f, -100.0f};
    galaxy().planets.push_back(std::make_unique<Planet>(2.0f, 0.0f, Vec3{0.0f}, 4));
    Planet& planet = *galaxy().planets.back();
    planet.layer = 1;
    const struct {
        Vec3 sun, planet;
        int layerShown;
        bool visible;
    } cases[] = {
        {sun, {20.0f, 0.0f, -50.0f}, -1, true}, // planet off the line of sight
        {{60.0f, 0.0f, -100.0f}, {0.0f, -300.0f, 0.0f}, -1, true},
        {{65.0f, 0.0f, -100.0f}, {0.0f, -300.0f, 0.0f}, -1, false}, // sun radius 3 past the edge
        {{0.0f, 0.0f, 100.0f}, {0.0f, -300.0f, 0.0f}, -1, false},   // behind the camera
        {sun, {0.0f, 1.0f, -50.0f}, -1, false},
        {sun, {0.0f, 2.0f, -50.0f}, -1, false}, // its edge just touches the line
        {sun, {0.0f, 1.0f, -50.0f}, 1, false},
        {sun, {0.0f, 1.0f, -50.0f}, 0, true}, // its layer is not shown
        {sun, {0.0f, 1.0f, -50.0f}, 2, true},
        {sun, {0.0f, 1.0f, 30.0f}, -1, false},  // beyond the eye on the same line
        {sun, {0.0f, 1.0f, -130.0f}, -1, true}, // behind the sun
    };
    for (const auto& c : cases) {
        planet.position = c.planet;
        EXPECT_EQ(isLightSourceVisible(c.sun, c.layerShown), c.visible)
            << c.sun.x << " " << c.sun.z << ", planet at " << c.planet.z << ", layer "
            << c.layerShown;
    }
    resetGalaxy();
    initCamera();
}

} // namespace
