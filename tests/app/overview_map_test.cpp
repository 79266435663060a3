#include <algorithm>
#include <cstdlib>

#include "input_fixture.h"

#include "app/overview_map_control.h"
#include "render/palette.h"
#include "sim/generation.h"

namespace {

class OverviewMapTest : public InputTest {
  protected:
    void SetUp() override {
        InputTest::SetUp();
        appState() = AppState{};
        camera().eye = {0.0f, 40.0f, 40.0f};
        camera().target = Vec3{0.0f};
        updateCameraBasis();
    }
    void TearDown() override {
        appState() = AppState{};
        InputTest::TearDown();
    }

    static OverviewMap map(std::span<const Vec3> alerts = {}) {
        return buildOverviewMap(galaxy(), camera(), currentMapRect(), alerts, 0.0);
    }
    static std::vector<MapDot> dotsAt(const OverviewMap& shown, const Vec3& world) {
        std::vector<MapDot> found;
        std::copy_if(shown.dots.begin(), shown.dots.end(), std::back_inserter(found),
                     [&](const MapDot& dot) {
                         return glm::length(dot.centre - mapPoint(shown.rect, world)) < 1e-3f;
                     });
        return found;
    }
    static void click(glm::vec2 at, int button, glm::vec2 to) {
        handleMousePosition(static_cast<int>(at.x), static_cast<int>(at.y));
        injectMouseButton(button, KeyAction::Press);
        handleMousePosition(static_cast<int>(to.x), static_cast<int>(to.y));
        injectMouseButton(button, KeyAction::Release);
    }
};

// Each planet of a generated galaxy is a dot where it lies, in its owner's
// colour, filled once developed; F6 recolours them.
TEST_F(OverviewMapTest, PlanetDotsShowTheGalaxysPlanetsAndOwners) {
    std::srand(4242);
    buildGalaxy();
    for (const PaletteKind kind : {PaletteKind::Standard, PaletteKind::RedGreenSafe}) {
        const Palette& colours = paletteOf(kind);
        const OverviewMap shown = map();
        int owned[3] = {};
        for (const auto& planet : galaxy().planets) {
            const auto looksRight = [&](const MapDot& dot) { // planets of two layers may meet
                const bool player = dot.color == colours.playerIcon;
                const bool computer = dot.color == colours.computerIcon;
                return dot.shape == (isEstablished(*planet) ? DotShape::Disc : DotShape::Ring) &&
                       player == (planet->owner == Side::Player) &&
                       computer == (planet->owner == Side::Computer);
            };
            const std::vector<MapDot> dots = dotsAt(shown, planet->position);
            EXPECT_TRUE(std::any_of(dots.begin(), dots.end(), looksRight)) << planet->id;
            // Nobody claims it yet: no claimant's ring round it.
            EXPECT_TRUE(planet->playerClaim + planet->computerClaim > 0.0 || dots.size() == 1u);
            ++owned[static_cast<int>(planet->owner)];
        }
        EXPECT_GT(owned[static_cast<int>(Side::Player)], 0);
        EXPECT_GT(owned[static_cast<int>(Side::Computer)], 0);
        EXPECT_TRUE(shown.rect.contains(mapPoint(shown.rect, Vec3{75.0f, 0.0f, -75.0f})));
        tap(Key::function(6));
    }
    output();
}

TEST_F(OverviewMapTest, CrowdsClaimsBattlesAndAlertsHaveTheirMarks) {
    for (int i = 0; i < 400; ++i) { // a clump of 400, and 400 spread over four places
        addShip(true, Vec3{10.0f + 0.005f * i, 4.0f, 10.0f});
        addShip(false, Vec3{-40.0f + 20.0f * (i % 4), 4.0f, -30.0f});
    }
    galaxy().playerShips.front()->selected = true;
    galaxy().computerShips.front()->lasers.push_back(LaserShot{.position = {30, 0, 30}});
    Planet& claimed = addPlanet(Side::Neutral, Vec3{-20.0f, 0.0f, 20.0f});
    claimed.computerClaim = 40.0;
    const Vec3 alert{50.0f, 0.0f, -50.0f};
    const OverviewMap shown = map(std::span(&alert, 1));
    std::vector<glm::vec4> squares; // a dot a crowd: the clump, with its selected ship, and four
    for (const MapDot& dot : shown.dots) {
        if (dot.shape == DotShape::Square)
            squares.push_back(dot.color);
    }
    std::vector<glm::vec4> crowds(4, activePalette().computerIcon);
    crowds.push_back(activePalette().selectedIcon);
    EXPECT_EQ(squares, crowds);
    const std::vector<MapDot> rings = dotsAt(shown, claimed.position);
    ASSERT_EQ(rings.size(), 2u);
    EXPECT_EQ(rings[1].color, activePalette().computerIcon);
    ASSERT_EQ(dotsAt(shown, {30, 0, 30}).size(), 1u);
    EXPECT_EQ(dotsAt(shown, {30, 0, 30})[0].shape, DotShape::Cross);
    EXPECT_EQ(dotsAt(shown, alert).at(0).shape, DotShape::Ring);
    // The ring grows from its place and fades, over and over, all game long.
    for (double time = 0.0; time < 600.0; time += 7.3) {
        const MapDot ring =
            dotsAt(buildOverviewMap(galaxy(), camera(), shown.rect, std::span(&alert, 1), time),
                   alert)
                .at(0);
        EXPECT_LT(ring.radius, 0.1f * shown.rect.size) << time;
        EXPECT_GT(ring.color.a, 0.15f) << time;
    }
    // A window shrunk to a pixel leaves no room: nothing to draw, nothing read outside the cells.
    EXPECT_TRUE(buildOverviewMap(galaxy(), camera(), overviewMapRect(1, 1), {}, 0.0).dots.empty());
}

// Looking straight down, the outline is centred on the target; looking at
// the horizon it reaches the frame and stops there.
TEST_F(OverviewMapTest, TheViewOutlineLiesWhereTheCameraLooks) {
    const struct {
        Vec3 eye, target;
    } views[] = {{{20.0f, 30.0f, -9.99f}, {20.0f, 0.0f, -10.0f}}, {{0.0f, 1.0f, 0.0f}, {0, 1, 60}}};
    for (const auto& [eye, target] : views) {
        camera().eye = eye;
        camera().target = target;
        updateCameraBasis();
        const MapRect rect = currentMapRect();
        const std::vector<glm::vec2> outline = viewOutline(camera(), rect);
        ASSERT_GE(outline.size(), 3u);
        glm::vec2 mean{0.0f};
        for (const glm::vec2& point : outline) {
            EXPECT_TRUE(rect.contains(point + (rect.origin + rect.size / 2.0f - point) * 1e-4f));
            mean += point / static_cast<float>(outline.size());
        }
        if (eye.y > 10.0f) {
            EXPECT_NEAR(glm::length(mean - mapPoint(rect, target)), 0.0f, 0.5f);
        } else {
            EXPECT_NEAR(std::max_element(outline.begin(), outline.end(),
                                         [](auto a, auto b) { return a.y < b.y; })
                            ->y,
                        rect.origin.y + rect.size, 1e-3f); // +z is down the map
        }
    }
}

// 1400 x 1000: the map is the 200 pixel square from (1180, 780).
TEST_F(OverviewMapTest, ALeftClickOrDragMovesTheViewAndPicksNothing) {
    ShipRef ship = addShip(true, Vec3{0.0f});
    ship->selected = true;
    const Vec3 offset = camera().eye - camera().target;
    const struct {
        glm::vec2 from, to;
        Vec3 target;
    } clicks[] = {
        {{1280, 880}, {1280, 880}, {0, 0, 0}},
        {{1230, 830}, {1230, 830}, {-37.5f, 0, -37.5f}},
        {{1280, 880}, {100, 1200}, {-75, 0, 75}}, // dragged past the corner: held to the frame
    };
    for (const auto& [from, to, target] : clicks) {
        click(from, MouseButton::Left, to);
        EXPECT_NEAR(glm::length(camera().target - target), 0.0f, 1e-3f) << from.x;
        EXPECT_NEAR(glm::length(camera().eye - camera().target - offset), 0.0f, 1e-3f);
        EXPECT_TRUE(ship->selected);
    }
    EXPECT_EQ(output(), "");
    for (const int hides : {int(Key::Tab), Key::function(2)}) {
        tap(hides); // a hidden map takes nothing: the click selects behind it
        click({1280, 880}, MouseButton::Left, {1280, 880});
        EXPECT_FALSE(ship->selected);
        EXPECT_NEAR(glm::length(camera().target - Vec3{-75, 0, 75}), 0.0f, 1e-3f);
        tap(hides);
        ship->selected = true;
    }
    const Planet& ahead = addPlanet(Side::Computer, camera().eye + camera().forward * 20.0f);
    EXPECT_EQ(planetAtPointer(700, 499), &ahead); // beside the map: the planet behind the pointer
}

TEST_F(OverviewMapTest, ARightClickSendsTheSelectedShipsAtThePlanesHeight) {
    ShipRef sent = addShip(true, Vec3{0.0f});
    ShipRef kept = addShip(true, Vec3{1.0f});
    sent->selected = true;
    const struct {
        float plane;
        bool shift;
        std::vector<Vec3> destinations;
    } orders[] = {
        {kOrderPlaneOff, false, {{-37.5f, 0, -37.5f}}},
        {5.0f, true, {{-37.5f, 0, -37.5f}, {-37.5f, 5, -37.5f}}},
        {5.0f, false, {{-37.5f, 5, -37.5f}}},
    };
    for (const auto& [plane, shift, destinations] : orders) {
        appState().orderPlaneHeight = plane;
        if (shift)
            press(Key::LeftShift);
        click({1230, 830}, MouseButton::Right, {1230, 830});
        release(Key::LeftShift);
        ASSERT_EQ(sent->waypoints.size(), destinations.size());
        for (std::size_t i = 0; i < destinations.size(); ++i)
            EXPECT_EQ(sent->waypoints[i].position, destinations[i]);
        EXPECT_TRUE(kept->waypoints.empty());
    }
}

} // namespace
