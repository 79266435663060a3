#include <glm/gtc/matrix_transform.hpp>

#include "input_fixture.h"

#include "app/picking.h"
#include "sim/waypoints.h"

namespace {

class MouseTest : public InputTest {
  protected:
    void SetUp() override {
        InputTest::SetUp();
        camera().eye = Vec3{0.0f, 40.0f, 40.0f};
        camera().target = Vec3{0.0f};
        updateCameraBasis();
    }

    // The window pixel that shows a world point.
    static glm::ivec2 pixelOf(Vec3 point) {
        const glm::vec4 viewport{0.0f, 0.0f, static_cast<float>(windowWidth),
                                 static_cast<float>(windowHeight)};
        const Vec3 window = glm::project(point, getViewMatrix(), projectionMatrix, viewport);
        return {static_cast<int>(std::lround(window.x)),
                static_cast<int>(std::lround(viewport.w - 1.0f - window.y))};
    }

    static void moveTo(glm::ivec2 pixel) { handleMousePosition(pixel.x, pixel.y); }

    static void leftClickAt(glm::ivec2 pixel) {
        moveTo(pixel);
        injectMouseButton(MouseButton::Left, KeyAction::Press);
        injectMouseButton(MouseButton::Left, KeyAction::Release);
    }

    static void rightClickAt(glm::ivec2 pixel) {
        moveTo(pixel);
        injectMouseButton(MouseButton::Right, KeyAction::Press);
        injectMouseButton(MouseButton::Right, KeyAction::Release);
    }
};

TEST_F(MouseTest, ThePickRayRunsFromTheCameraThroughThePixel) {
    const Vec3 point{3.0f, 1.0f, -2.0f};
    const PickRay ray = pickRay(pixelOf(point).x, pixelOf(point).y);
    EXPECT_NEAR(glm::length(ray.direction), 1.0f, 1e-5f);
    const Vec3 toPoint = glm::normalize(point - camera().eye);
    EXPECT_GT(glm::dot(ray.direction, toPoint), 0.99999f);
}

TEST_F(MouseTest, RaySphereDistanceFromOutsideAndInside) {
    const PickRay ray{Vec3{0.0f, 0.0f, 10.0f}, Vec3{0.0f, 0.0f, -1.0f}};
    EXPECT_FLOAT_EQ(raySphereDistance(ray, Vec3{0.0f}, 1.0f), 9.0f);
    EXPECT_FLOAT_EQ(raySphereDistance(ray, Vec3{0.0f, 0.0f, 10.5f}, 1.0f), 0.5f); // inside
    EXPECT_LT(raySphereDistance(ray, Vec3{0.0f, 0.0f, 20.0f}, 1.0f), 0.0f);       // behind
    EXPECT_LT(raySphereDistance(ray, Vec3{2.0f, 0.0f, 0.0f}, 1.0f), 0.0f);        // beside
}

TEST_F(MouseTest, ClickSelectsTheShipUnderTheCursorAndShiftAdds) {
    const ShipRef first = addShip(true, Vec3{2.0f, 0.0f, 0.0f});
    const ShipRef second = addShip(true, Vec3{-4.0f, 0.0f, 3.0f});
    Planet& mine = addPlanet(Side::Player, Vec3{10.0f, 0.0f, -10.0f});
    mine.selected = true;
    second->selected = true;

    leftClickAt(pixelOf(first->position));
    EXPECT_TRUE(first->selected);
    EXPECT_FALSE(second->selected);
    EXPECT_FALSE(mine.selected);

    press(Key::LeftShift);
    leftClickAt(pixelOf(second->position));
    leftClickAt(pixelOf(mine.position));
    release(Key::LeftShift);
    EXPECT_TRUE(first->selected);
    EXPECT_TRUE(second->selected);
    EXPECT_TRUE(mine.selected);
}

TEST_F(MouseTest, EnemyShipsAndForeignPlanetsAreNeverSelected) {
    const ShipRef own = addShip(true, Vec3{-6.0f, 0.0f, 0.0f});
    own->selected = true;
    const ShipRef enemy = addShip(false, Vec3{2.0f, 0.0f, 0.0f});
    Planet& neutral = addPlanet(Side::Neutral, Vec3{8.0f, 0.0f, -5.0f});
    Planet& theirs = addPlanet(Side::Computer, Vec3{-8.0f, 0.0f, -5.0f});
    leftClickAt(pixelOf(enemy->position));
    leftClickAt(pixelOf(neutral.position));
    leftClickAt(pixelOf(theirs.position));
    EXPECT_FALSE(enemy->selected);
    EXPECT_FALSE(neutral.selected);
    EXPECT_FALSE(theirs.selected);
    EXPECT_FALSE(own->selected); // each click cleared the selection
}

TEST_F(MouseTest, OneLayerOnShowLimitsUnselectedShipsToItsBand) {
    layerFilter = 1;
    const ShipRef high = addShip(true, Vec3{0.0f, 20.0f, 0.0f});
    const ShipRef inBand = addShip(true, Vec3{6.0f, 16.0f, 0.0f});
    const PickRay highRay = pickRay(pixelOf(high->position).x, pixelOf(high->position).y);
    EXPECT_TRUE(castPickRay(highRay).playerShips.empty());
    high->selected = true; // a selected ship can always be picked
    EXPECT_EQ(castPickRay(highRay).playerShips.size(), 1u);

    const PickRay bandRay = pickRay(pixelOf(inBand->position).x, pixelOf(inBand->position).y);
    EXPECT_EQ(castPickRay(bandRay).playerShips.size(), 1u);

    Planet& otherLayer = addPlanet(Side::Player, Vec3{-6.0f, 0.0f, 0.0f});
    otherLayer.layer = 0;
    const PickRay planetRay =
        pickRay(pixelOf(otherLayer.position).x, pixelOf(otherLayer.position).y);
    EXPECT_TRUE(castPickRay(planetRay).planets.empty());
}

TEST_F(MouseTest, DragGridFollowsTheCameraDistance) {
    EXPECT_EQ(dragGridStep(10.0f), 7);
    EXPECT_EQ(dragGridStep(39.9f), 6);
    EXPECT_EQ(dragGridStep(130.0f), 1);
    EXPECT_EQ(dragGridStep(150.0f), 2);
}

TEST_F(MouseTest, LessThanKeyFiltersShipsOrPlanets) {
    const ShipRef ship = addShip(true, Vec3{0.0f, 0.0f, 6.0f});
    Planet& mine = addPlanet(Side::Player, Vec3{0.0f, 0.0f, -6.0f});
    press('<');
    leftClickAt(pixelOf(ship->position));
    leftClickAt(pixelOf(mine.position));
    EXPECT_FALSE(ship->selected); // cleared by the second click
    EXPECT_FALSE(mine.selected);  // planets are skipped
    leftClickAt(pixelOf(ship->position));
    EXPECT_TRUE(ship->selected);

    press(Key::LeftShift); // '<' with Shift: only planets, selection kept
    leftClickAt(pixelOf(mine.position));
    release(Key::LeftShift);
    release('<');
    EXPECT_TRUE(mine.selected);
    EXPECT_TRUE(ship->selected);
}

TEST_F(MouseTest, EmptySpaceSendsShipsAtTheirOwnHeights) {
    const ShipRef low = addShip(true, Vec3{0.0f, 0.0f, 0.0f});
    const ShipRef high = addShip(true, Vec3{5.0f, 8.0f, 0.0f});
    low->selected = true;
    high->selected = true;
    appendWaypoint(*low, Vec3{1.0f}, Waypoint::Destination);

    rightClickAt({700, 300});
    ASSERT_EQ(low->waypoints.size(), 1u);
    ASSERT_EQ(high->waypoints.size(), 1u);
    EXPECT_NEAR(low->waypoints.front().position.y, 0.0f, 1e-3f);
    EXPECT_NEAR(high->waypoints.front().position.y, 8.0f, 1e-3f);

    press(Key::LeftShift); // Shift queues behind the existing waypoints
    rightClickAt({700, 300});
    release(Key::LeftShift);
    EXPECT_EQ(low->waypoints.size(), 2u);
}

TEST_F(MouseTest, PlanePointsAreClampedToTheCubeAndNeedASlope) {
    const PickRay shallow{Vec3{0.0f, 10.0f, 0.0f}, glm::normalize(Vec3{1.0f, -0.01f, -0.5f})};
    const std::optional<Vec3> far = planePoint(shallow, 0.0f);
    ASSERT_TRUE(far.has_value());
    EXPECT_EQ(far->x, 100.0f);
    EXPECT_EQ(far->z, -100.0f);
    EXPECT_NEAR(far->y, 0.0f, 1e-4f);

    const PickRay level{Vec3{0.0f, 10.0f, 0.0f}, Vec3{1.0f, 0.0f, 0.0f}};
    EXPECT_FALSE(planePoint(level, 0.0f).has_value());
}

TEST_F(MouseTest, TheOrderPlaneGathersShipsAtOnePoint) {
    orderPlaneHeight = 4.0f;
    const ShipRef a = addShip(true, Vec3{0.0f, 0.0f, 0.0f});
    const ShipRef b = addShip(true, Vec3{5.0f, 12.0f, 0.0f});
    a->selected = true;
    b->selected = true;
    Planet& unselected = addPlanet(Side::Player, Vec3{30.0f, 0.0f, 30.0f});
    Planet& other = addPlanet(Side::Neutral, Vec3{50.0f, 0.0f, 30.0f});
    unselected.routeTarget = &other;

    rightClickAt({700, 300});
    ASSERT_EQ(a->waypoints.size(), 1u);
    EXPECT_NEAR(a->waypoints.front().position.y, 4.0f, 1e-3f);
    EXPECT_EQ(a->waypoints.front().position, b->waypoints.front().position);
    EXPECT_EQ(unselected.routeTarget, &other);
}

TEST_F(MouseTest, RightClickOnAPlanetRoutesTheSelectedPlanet) {
    Planet& mine = addPlanet(Side::Player, Vec3{-8.0f, 0.0f, 5.0f});
    Planet& target = addPlanet(Side::Neutral, Vec3{6.0f, 0.0f, -4.0f});
    mine.selected = true;
    rightClickAt(pixelOf(target.position));
    EXPECT_EQ(mine.routeTarget, &target);
    EXPECT_EQ(mine.rallyPoint, target.position);

    rightClickAt(pixelOf(mine.position)); // the planet itself: no route
    EXPECT_EQ(mine.routeTarget, &mine);
    EXPECT_EQ(mine.rallyPoint, mine.position);
}

TEST_F(MouseTest, CtrlRightClickFiresTargetedShots) {
    const ShipRef enemy = addShip(false, Vec3{4.0f, 0.0f, 0.0f});
    const ShipRef a = addShip(true, Vec3{-4.0f, 0.0f, 8.0f});
    const ShipRef b = addShip(true, Vec3{-6.0f, 0.0f, 8.0f});
    a->selected = true;
    b->selected = true;
    press(Key::LeftCtrl);
    rightClickAt(pixelOf(enemy->position));
    release(Key::LeftCtrl);
    EXPECT_EQ(a->lasers.size(), 1u);
    EXPECT_EQ(b->lasers.size(), 1u);
    EXPECT_DOUBLE_EQ(a->reloadTimer, 0.75);
    EXPECT_DOUBLE_EQ(b->reloadTimer, 0.75);
    // The same click also sent them to the enemy's surface.
    ASSERT_EQ(a->waypoints.size(), 1u);
    EXPECT_LT(glm::length(a->waypoints.front().position - enemy->position), 0.21f);
}

TEST_F(MouseTest, EdgeFlagsUseAFifteenPixelMargin) {
    const WindowSize window{1440, 780};
    updateEdgeFlags(14, 400, window);
    EXPECT_TRUE(edgeFlags().left);
    updateEdgeFlags(15, 400, window);
    EXPECT_FALSE(edgeFlags().left);
    updateEdgeFlags(1426, 400, window);
    EXPECT_TRUE(edgeFlags().right);
    updateEdgeFlags(1425, 766, window);
    EXPECT_FALSE(edgeFlags().right);
    EXPECT_TRUE(edgeFlags().bottom);
    EXPECT_FALSE(edgeFlags().top);
}

TEST_F(MouseTest, CornerWithAltOrbitsTwice) {
    galaxy().frameDelta = 0.05;
    const Camera start = camera();
    orbitEyeRightBy(1.0f);
    orbitEyeDownBy(0.6f);
    const Vec3 expected = camera().eye;
    camera() = start;

    updateEdgeFlags(5, 5, {1440, 780});
    press(Key::LeftAlt);
    applyEdgeScrolling();
    release(Key::LeftAlt);
    EXPECT_NEAR(glm::length(camera().eye - expected), 0.0f, 1e-4f);
}

TEST_F(MouseTest, WheelZoomsOneStepPerEvent) {
    galaxy().frameDelta = 0.01;
    const float start = cameraDistance();
    handleMouseWheel(0); // the call at installation changes nothing
    EXPECT_EQ(cameraDistance(), start);
    handleMouseWheel(3);
    const float closer = cameraDistance();
    EXPECT_NEAR(closer, start - zoomSpeed(start) * 17.0f * 0.01f, 1e-3f);
    handleMouseWheel(3);
    EXPECT_EQ(cameraDistance(), closer);
    handleMouseWheel(2);
    EXPECT_GT(cameraDistance(), closer);
}

} // namespace
