#include <algorithm>

#include "input_fixture.h"

#include "app/control_groups.h"

namespace {

using KeyboardTest = InputTest;

TEST_F(KeyboardTest, HeldSwitchesToggleOnEveryEventWhileTheirKeyIsDown) {
    tap(Key::F1);
    tap(Key::F1);
    EXPECT_EQ(output(), "Help activated\nHelp deactivated\n");
    press(Key::F1);
    press(Key::F1); // auto-repeat toggles again
    press('P');     // P while F1 is held flips help as well as pause
    EXPECT_TRUE(galaxy().paused);
    EXPECT_TRUE(renderState().settings.showHelp);
    release('P'); // and so does its release
    EXPECT_TRUE(galaxy().paused);
    EXPECT_FALSE(renderState().settings.showHelp);
    release(Key::F1);
    EXPECT_EQ(output(), "Help activated\nHelp deactivated\nHelp activated\nHelp deactivated\n");
}

TEST_F(KeyboardTest, FilterAndMipmapCyclesStartFromTheAppliedMode) {
    const auto applyAsTheRendererWould = [] {
        renderState().settings.appliedFilter = renderState().settings.requestedFilter;
        renderState().settings.appliedMipmap = renderState().settings.requestedMipmap;
    };
    tap(Key::function(4));
    applyAsTheRendererWould();
    tap(Key::function(4));
    EXPECT_EQ(output(), "\n Filter setting: Nearest\n Filter setting: Linear");

    for (int i = 0; i < 3; ++i) {
        tap(Key::function(5));
        applyAsTheRendererWould();
    }
    EXPECT_EQ(output(),
              "\n Mipmap setting: Linear\n Mipmap setting: Nearest\n Mipmap setting: Off");
}

TEST_F(KeyboardTest, SwitchesAndTunablesPrintTheirNewValues) {
    const std::pair<std::vector<int>, std::string> steps[] = {
        {{Key::function(11), Key::function(9)},
         "LenseFlare deactivated\nTransparency deactivated\n"},
        {{Key::function(10), Key::function(3), Key::function(8)},
         "\n Bloom : 0\n Wireframe Mode : 1\n Frustum Culling : 0"},
        {{'+', '#', '#'}, "SPAWN SPEED:0.65\nSPAWN SPEED:0.35\nSPAWN SPEED:0.05\n"},
        {{'K', 'J'}, "SPAWN SPEED:0.35\nSPAWN SPEED:0.05\n"}, // the same on every layout
        {{'O', 'I', 'I'},                                     // no newlines
         "Ship Attack Randomness :60Ship Attack Randomness :50Ship Attack Randomness :40"},
        {{'L', 'Z'}, "DEBUG INFO:1\nTrade Routes deactivated\n"},
        {{Key::function(6), Key::function(6)}, "Colours: red-green safe\nColours: standard\n"},
        {std::vector<int>(11, ','), ""},      // the bloom factor stops at 0
        {{'U', 'U', 'U', 'T', 'T', 'T', 'T'}, // game speed, stopping at both ends
         "Game speed x2\nGame speed x4\nGame speed x4\nGame speed x2\nGame speed x1\n"
         "Game speed x0.5\nGame speed x0.5\n"},
        {{'B'}, ""}, // the opponent stays as it is in the middle of a game
    };
    for (const auto& [keys, printed] : steps) {
        for (const int key : keys)
            tap(key);
        EXPECT_EQ(output(), printed);
    }
    EXPECT_EQ(renderState().settings.bloomFactor, 0.0f);
    tap('.');
    EXPECT_FLOAT_EQ(renderState().settings.bloomFactor, 0.1f);
    galaxy().attackRandomness = 5;
    tap('I');
    EXPECT_EQ(galaxy().attackRandomness, 0);
    galaxy().playerDefeated = true; // on the end screen B goes round the four
    for (int i = 0; i < 4; ++i)
        tap('B');
    EXPECT_EQ(output(), "Ship Attack Randomness :0Opponent: hard\nOpponent: ruthless\n"
                        "Opponent: easy\nOpponent: standard\n");
}

TEST_F(KeyboardTest, OrderPlaneStepsBetweenItsLimits) {
    // From off, R turns the plane on at 1.5 and raises it by 2.5 while below 30.
    for (int i = 0; i < 14; ++i) {
        tap('R');
        EXPECT_EQ(appState().orderPlaneHeight, 1.5f + 2.5f * static_cast<float>(std::min(i, 12)))
            << i;
    }
    for (int i = 0; i < 15; ++i)
        tap('F');
    EXPECT_EQ(appState().orderPlaneHeight, 1.5f); // F never turns the plane off
    tap('C');
    EXPECT_EQ(appState().orderPlaneHeight, kOrderPlaneOff);
}

TEST_F(KeyboardTest, ControlGroupsStoreRecallAndJump) {
    std::vector<ShipRef> ships;
    for (int i = 0; i < 5; ++i) {
        ships.push_back(addShip(true, Vec3{10.0f + i, 2.0f, -30.0f}));
        ships.back()->selected = true;
    }
    addShip(true, Vec3{0.0f}); // not selected, not stored
    press(Key::LeftCtrl);
    press('1'); // stored on the press: Ctrl may be let go before the digit
    release(Key::LeftCtrl);
    release('1');
    EXPECT_EQ(controlGroup(1).size(), 5u);

    for (const ShipRef& ship : galaxy().playerShips)
        ship->selected = false;
    tap('1');
    EXPECT_EQ(output(), "");
    const auto selected = [](const ShipRef& ship) { return ship->selected; };
    EXPECT_TRUE(std::all_of(ships.begin(), ships.end(), selected));
    EXPECT_FALSE(selected(galaxy().playerShips.back()));

    std::erase(galaxy().playerShips, ships.front()); // the first stored ship is destroyed
    ships.front().reset();
    now += 0.2; // a second tap within 0.35 s jumps to the first ship that still exists
    tap('1');
    EXPECT_EQ(output(), "Jump to11/2/-30\n");
    EXPECT_EQ(camera().target, Vec3(11.0f, 2.0f, -30.0f));
    EXPECT_NEAR(cameraDistance(), 50.0f, 1e-3f);

    now += 0.5; // too slow: selects, no jump
    tap('1');
    EXPECT_EQ(output(), "");
}

TEST_F(KeyboardTest, ShiftBlocksTheJumpAndGroupsWithoutShipsDoNothing) {
    addShip(true, Vec3{5.0f, 0.0f, 5.0f})->selected = true;
    press(Key::LeftCtrl);
    tap('2');
    tap('3'); // stored with the same selection
    release(Key::LeftCtrl);

    press(Key::LeftShift);
    tap('2');
    now += 0.1;
    tap('2');
    release(Key::LeftShift);
    galaxy().playerShips.front()->selected = false;
    press(Key::LeftCtrl);
    tap('3'); // nothing selected: group 3 is emptied
    release(Key::LeftCtrl);
    EXPECT_TRUE(controlGroup(3).empty());
    galaxy().playerShips.clear(); // group 2's only ship is destroyed
    for (const int key : {'2', '2', '3', '3'}) {
        now += 0.1;
        tap(key);
    }
    EXPECT_EQ(output(), "");
}

// N picks the ships without orders out of a crowd; with Shift it adds them.
TEST_F(KeyboardTest, IdleKeySelectsTheShipsWithoutOrders) {
    const ShipRef idle = addShip(true, Vec3{0.0f});
    const ShipRef busy = addShip(true, Vec3{5.0f, 0.0f, 0.0f});
    busy->waypoints.push_back({Vec3{9.0f}, Waypoint::Destination});
    busy->selected = true;
    Planet& home = addPlanet(Side::Player, Vec3{20.0f, 0.0f, 0.0f});
    home.selected = true;
    tap('N');
    EXPECT_TRUE(idle->selected);
    EXPECT_FALSE(busy->selected || home.selected);
    busy->selected = true;
    idle->selected = false;
    press(Key::LeftShift);
    tap('N');
    EXPECT_TRUE(idle->selected && busy->selected);
    EXPECT_EQ(output(), "");
}

TEST_F(KeyboardTest, KeypadPicksThePlanetLayer) {
    appState().orderPlaneHeight = 4.0f;
    const std::tuple<int, int, float> steps[] = {
        {2, 1, 4.0f}, {3, 2, 4.0f}, {1, 0, 4.0f}, {0, kAllLayers, kOrderPlaneOff}};
    for (const auto& [digit, layer, plane] : steps) {
        tap(Key::keypad(digit));
        EXPECT_EQ(renderState().layerFilter, layer);
        EXPECT_EQ(appState().orderPlaneHeight, plane);
    }
}

} // namespace
