#include <functional>
#include <tuple>
#include <vector>

#include "input_fixture.h"

#include "app/picking.h"
#include "sim/waypoints.h"

namespace {

class MouseTest : public InputTest {
  protected:
    void SetUp() override {
        InputTest::SetUp();
        lookFrom(Vec3{0.0f, 40.0f, 40.0f});
    }

    static void lookFrom(Vec3 eye) {
        camera().eye = eye;
        camera().target = Vec3{0.0f};
        updateCameraBasis();
    }

    // What the pixel shows 50 units into the scene.
    static Vec3 under(glm::ivec2 pixel) {
        const PickRay ray = pickRay(pixel.x, pixel.y);
        return ray.origin + ray.direction * 50.0f;
    }

    static void drag(glm::ivec2 from, glm::ivec2 to, int button = MouseButton::Left) {
        handleMousePosition(from.x, from.y);
        injectMouseButton(button, KeyAction::Press);
        handleMousePosition(to.x, to.y);
        injectMouseButton(button, KeyAction::Release);
    }
    static void click(glm::ivec2 at, int button = MouseButton::Left) { drag(at, at, button); }
};

TEST_F(MouseTest, TheMiddlePixelLooksAtTheTargetAndRaysMeetSpheresAhead) {
    // 1400 x 1000: pixel (700, 499) is window point (700, 500), the centre.
    const PickRay ray = pickRay(700, 499);
    EXPECT_NEAR(glm::length(ray.origin - (camera().eye + camera().forward * 0.1f)), 0.0f, 1e-5f);
    EXPECT_NEAR(glm::length(ray.direction - camera().forward), 0.0f, 1e-6f); // a pixel is 7e-4
    // The card shows the nearest planet the pointer meets, however close.
    const Planet& far = addPlanet(Side::Computer, camera().eye + camera().forward * 20.0f, 2.0f);
    EXPECT_EQ(planetUnderPointer(700, 499), &far);
    const Planet& near = addPlanet(Side::Player, camera().eye + camera().forward * 1.6f, 1.0f);
    EXPECT_EQ(planetUnderPointer(700, 499), &near);
}

// An order on a planet must lie inside it, where arrival is certain: the
// surface point itself rounds to just outside about half the time.
TEST_F(MouseTest, AnOrderOnAPlanetLiesJustInsideItsSurface) {
    const Planet& planet = addPlanet(Side::Computer, Vec3{0.0f}, 2.0f);
    int hits = 0;
    for (int x = 670; x <= 730; x += 3)
        for (int y = 470; y <= 530; y += 3) {
            const PickRay ray = pickRay(x, y);
            const PickHits seen = castPickRay(ray);
            if (seen.planets.empty())
                continue;
            const float depth = glm::length(orderPointOnHit(ray, seen) - planet.position);
            EXPECT_LT(depth, planet.radius) << x << " " << y;
            EXPECT_GT(depth, 0.99f * planet.radius) << x << " " << y;
            ++hits;
        }
    EXPECT_GT(hits, 100);
}

TEST_F(MouseTest, DragGridFollowsTheCameraDistanceWhicheverWayItIsDrawn) {
    using Points = std::vector<glm::ivec2>;
    const Points fine{{100, 100}, {100, 101}, {101, 100}, {101, 101},
                      {102, 100}, {102, 101}, {103, 100}, {103, 101}};
    const struct {
        float distance;
        glm::ivec2 from, to;
        Points points;
    } cases[] = {
        {130.0f, {100, 100}, {103, 101}, fine},
        {130.0f, {103, 101}, {100, 100}, fine},
        {150.0f, {103, 101}, {100, 100}, {{100, 100}, {102, 100}}},
        {39.9f, {106, 100}, {100, 106}, {{100, 100}, {100, 106}, {106, 100}, {106, 106}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dragGridPoints(c.from, c.to, c.distance), c.points) << c.distance;
}

// In a row: own ships 0 and 1, own planet 2, never selected enemy ship 3 and
// computer planet 4; one more own ship, outside, was selected before.
TEST_F(MouseTest, DragSelectsOwnShipsAndPlanetsFilteredByLessThan) {
    const struct {
        std::vector<int> keys;
        glm::ivec2 from, to;
        unsigned selected; // bit i: object i
    } cases[] = {
        {{}, {250, 250}, {750, 350}, 0b00111},
        {{Key::LeftShift}, {750, 350}, {250, 250}, 0b00111},
        {{'<'}, {750, 250}, {250, 350}, 0b00011},
        {{'<', Key::LeftShift}, {250, 350}, {750, 250}, 0b00100},
        {{'V'}, {750, 250}, {250, 350}, 0b00011}, // on every layout
        {{'V', Key::LeftShift}, {250, 350}, {750, 250}, 0b00100},
    };
    for (const auto& c : cases) {
        resetGalaxy();
        std::vector<std::function<bool()>> objects;
        for (int i = 0; i < 5; ++i) {
            const Vec3 at = under({300 + 100 * i, 300});
            if (i == 2 || i == 4) {
                Planet& planet = addPlanet(i == 2 ? Side::Player : Side::Computer, at);
                objects.push_back([&planet] { return planet.selected; });
            } else {
                const ShipRef ship = addShip(i != 3, at);
                objects.push_back([ship] { return ship->selected; });
            }
        }
        const ShipRef earlier = addShip(true, under({900, 600}));
        earlier->selected = true;
        for (const int key : c.keys)
            press(key);
        drag(c.from, c.to);
        const bool shift = isKeyDown(Key::LeftShift);
        releaseAllKeys();
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(objects[i](), ((c.selected >> i) & 1) != 0) << c.keys.size() << " " << i;
        EXPECT_EQ(earlier->selected, shift);
    }
}

// X + click fires with the selection as it was, Shift or not, and keeps it.
TEST_F(MouseTest, XWithALeftClickOrdersThenFiresEverySelectedShip) {
    for (const bool shift : {false, true}) {
        resetGalaxy();
        galaxy().aimPoint = Vec3{5.0f, 0.0f, -5.0f};
        const ShipRef ships[] = {addShip(true, Vec3{0.0f, 2.0f, 0.0f}),
                                 addShip(true, Vec3{3.0f, 2.0f, 0.0f})};
        for (const ShipRef& ship : ships)
            ship->selected = true;
        if (shift)
            press(Key::LeftShift);
        press('X');
        click({700, 300});
        releaseAllKeys();
        const PickRay ray = pickRay(700, 300);
        for (const ShipRef& ship : ships) {
            ASSERT_EQ(ship->waypoints.size(), 1u) << shift;
            const Vec3 order = ship->waypoints.front().position;
            EXPECT_NEAR(order.y, 2.0f, 1e-3f); // empty space: at the ship's own height
            EXPECT_NEAR(glm::length(glm::cross(order - ray.origin, ray.direction)), 0.0f, 1e-3f);
            ASSERT_EQ(ship->lasers.size(), 1u) << shift;
            EXPECT_EQ(ship->lasers.front().targetPoint, galaxy().aimPoint);
            EXPECT_TRUE(ship->selected);
        }
        EXPECT_EQ(output(), "MAX:3 t:3\nMAX:3 t:3\n");
    }
}

// Right click on empty space: ships go there at their own height, the shown
// layer's (8 x its number) or the order plane's; selected own planets rally
// there, clamped to the cube, and lose their routes and the routes' counts.
TEST_F(MouseTest, EmptySpaceOrdersAtOwnLayerOrPlaneHeights) {
    lookFrom(Vec3{0.0f, 10.0f, 40.0f});
    const struct {
        int layer;
        float plane, low, high, rally;
        bool shift; // queues behind the waypoints the ships have
    } cases[] = {
        {kAllLayers, kOrderPlaneOff, 0.0f, 8.0f, 3.0f, false},
        {1, kOrderPlaneOff, 8.0f, 8.0f, 3.0f, false},
        {kAllLayers, 4.0f, 4.0f, 4.0f, 4.0f, true},
    };
    for (const auto& c : cases) {
        resetGalaxy();
        renderState().layerFilter = c.layer;
        appState().orderPlaneHeight = c.plane;
        Planet& mine = addPlanet(Side::Player, Vec3{40.0f, 3.0f, 40.0f});
        Planet& unselected = addPlanet(Side::Player, Vec3{-40.0f, 0.0f, 40.0f});
        Planet& target = addPlanet(Side::Neutral, Vec3{60.0f, 0.0f, 40.0f});
        for (Planet* planet : {&mine, &unselected}) {
            planet->routeTarget = &target;
            planet->outgoingRoutes = 1;
            planet->productionProgress = 7;
        }
        target.incomingRoutes = 2;
        mine.selected = true;
        const ShipRef low = addShip(true, Vec3{-30.0f, 0.0f, 30.0f});
        const ShipRef high = addShip(true, Vec3{-20.0f, 8.0f, 30.0f});
        low->selected = high->selected = true;
        appendWaypoint(*low, Vec3{1.0f}, Waypoint::Destination);

        setKeyDown(Key::LeftShift, c.shift);
        click({700, 207}, MouseButton::Right); // two degrees below the horizon
        ASSERT_EQ(low->waypoints.size(), c.shift ? 2u : 1u);
        EXPECT_NEAR(low->waypoints.back().position.y, c.low, 1e-3f);
        EXPECT_NEAR(high->waypoints.front().position.y, c.high, 1e-3f);
        EXPECT_EQ(mine.routeTarget, &mine);
        EXPECT_EQ(mine.outgoingRoutes, 0);
        EXPECT_EQ(target.incomingRoutes, 1);
        EXPECT_EQ(mine.productionProgress, 0);
        EXPECT_EQ(mine.rallyPoint.z, -100.0f); // far beyond the cube
        EXPECT_NEAR(mine.rallyPoint.y, c.rally, 1e-3f);
        EXPECT_EQ(unselected.routeTarget, &target);
        EXPECT_EQ(unselected.productionProgress, 7);
    }
    const PickRay level{Vec3{0.0f, 10.0f, 0.0f}, Vec3{1.0f, 0.0f, 0.0f}};
    EXPECT_FALSE(planePoint(level, 0.0f).has_value());
}

TEST_F(MouseTest, OneLayerOnShowLimitsUnselectedShipsToItsBand) {
    renderState().layerFilter = 1;
    const auto hitsFromAbove = [](Vec3 at) {
        return castPickRay({at + Vec3{0.0f, 50.0f, 0.0f}, Vec3{0.0f, -1.0f, 0.0f}});
    };
    const ShipRef high = addShip(true, Vec3{0.0f, 20.0f, 0.0f});
    const ShipRef inBand = addShip(true, Vec3{6.0f, 16.0f, 0.0f});
    EXPECT_TRUE(hitsFromAbove(high->position).playerShips.empty());
    high->selected = true; // a selected ship can always be picked
    EXPECT_EQ(hitsFromAbove(high->position).playerShips.size(), 1u);
    EXPECT_EQ(hitsFromAbove(inBand->position).playerShips.size(), 1u);

    Planet& otherLayer = addPlanet(Side::Player, Vec3{-6.0f, 0.0f, 0.0f});
    otherLayer.layer = 0;
    EXPECT_TRUE(hitsFromAbove(otherLayer.position).planets.empty());
}

// On a planet, the selected own planet routes there (to itself: no route);
// with Ctrl on an enemy ship, the selected ships go to its surface and fire.
TEST_F(MouseTest, RightClickOnAPlanetRoutesOnAnEnemyWithCtrlFires) {
    Planet& mine = addPlanet(Side::Player, under({400, 500}));
    Planet& target = addPlanet(Side::Neutral, under({1000, 500}));
    mine.selected = true;
    click({1000, 500}, MouseButton::Right);
    EXPECT_EQ(mine.routeTarget, &target);
    EXPECT_EQ(mine.rallyPoint, target.position);
    EXPECT_EQ(mine.routeLength, 19);
    click({400, 500}, MouseButton::Right);
    EXPECT_EQ(mine.routeTarget, &mine);
    EXPECT_EQ(mine.rallyPoint, mine.position);

    const ShipRef enemy = addShip(false, under({900, 400}));
    const ShipRef a = addShip(true, Vec3{-4.0f, 0.0f, 8.0f});
    const ShipRef b = addShip(true, Vec3{-6.0f, 0.0f, 8.0f});
    a->selected = b->selected = true;
    press(Key::LeftCtrl);
    click({900, 400}, MouseButton::Right);
    release(Key::LeftCtrl);
    for (const ShipRef& ship : {a, b}) {
        EXPECT_EQ(ship->lasers.size(), 1u);
        EXPECT_DOUBLE_EQ(ship->reloadTimer, 0.75);
        ASSERT_EQ(ship->waypoints.size(), 1u);
        EXPECT_LT(glm::length(ship->waypoints.front().position - enemy->position), 0.21f);
    }
}

// Strict 15-pixel margins. A cursor event outside the window sets the flags
// from its position too, and they hold until the next one, so the pointer
// pushed past a border keeps scrolling.
// The pointer at an edge (or past it) scrolls the view that way; the wheel
// zooms in.
TEST_F(MouseTest, EdgesScrollTheWayThePointerLeansAndTheWheelZooms) {
    const auto sign = [](float v) { return int(v > 1e-4f) - int(v < -1e-4f); };
    const std::tuple<int, int, const char*> cases[] = {
        {14, 400, "l---"}, {15, 400, "----"}, {1426, 400, "-r--"}, {1425, 766, "---b"},
        {5, 5, "l-t-"},    {-3, 400, "l---"}, {700, 790, "---b"}};
    galaxy().frameDelta = 0.1;
    for (const auto& [x, y, expected] : cases) {
        updateEdgeFlags(x, y, {1440, 780});
        const Vec3 before = camera().target, right = camera().right, ahead = camera().forward;
        applyEdgeScrolling();
        const Vec3 moved = camera().target - before;
        EXPECT_EQ(sign(glm::dot(moved, right)), (expected[1] == 'r') - (expected[0] == 'l')) << x;
        EXPECT_EQ(sign(glm::dot(moved, ahead)), (expected[2] == 't') - (expected[3] == 'b')) << y;
    }
    const float distance = cameraDistance();
    handleMouseWheel(1);
    EXPECT_LT(cameraDistance(), distance);
}

} // namespace
