#include <vector>

#include <gtest/gtest.h>

#include "platform/keys.h"
#include "platform/window.h"

namespace {

TEST(WindowSizeTest, ThreeQuartersOfTheUsableScreenTruncated) {
    const WindowSize wide = gameWindowSize({1920, 1040});
    EXPECT_EQ(wide.width, 1440);
    EXPECT_EQ(wide.height, 780);
    const WindowSize small = gameWindowSize({1366, 705});
    EXPECT_EQ(small.width, 1024);
    EXPECT_EQ(small.height, 528);
}

TEST(KeyTableTest, EventsUpdateTheTableBeforeTheHandlerRuns) {
    releaseAllKeys();
    std::vector<bool> seenDown;
    setKeyHandler([&seenDown](int key, int) { seenDown.push_back(isKeyDown(key)); });
    injectKey('A', KeyAction::Press);
    injectKey('A', KeyAction::Press); // auto-repeat arrives as another press
    injectKey('A', KeyAction::Release);
    setKeyHandler({});
    EXPECT_EQ(seenDown, (std::vector<bool>{true, true, false}));
    EXPECT_FALSE(isKeyDown('A'));
}

TEST(KeyTableTest, CodesOutsideTheTableAreIgnored) {
    releaseAllKeys();
    setKeyDown(-5, true);
    setKeyDown(Key::Last + 1, true);
    EXPECT_FALSE(isKeyDown(-5));
    EXPECT_FALSE(isKeyDown(Key::Last + 1));
    setKeyDown(Key::LeftAlt, true);
    EXPECT_TRUE(isKeyDown(Key::LeftAlt));
    EXPECT_FALSE(isKeyDown(Key::RightAlt)); // right-hand modifiers are their own keys
    releaseAllKeys();
    EXPECT_FALSE(isKeyDown(Key::LeftAlt));
}

TEST(InputHandlerTest, PositionWheelAndSizeHandlersAreCalledOnInstallation) {
    injectMousePosition(12, 34);
    injectWheel(3);
    int x = -1;
    int y = -1;
    int wheel = -1;
    int sizeCalls = 0;
    setMousePositionHandler([&](int px, int py) {
        x = px;
        y = py;
    });
    setMouseWheelHandler([&](int position) { wheel = position; });
    setWindowSizeHandler([&](int, int) { ++sizeCalls; });
    EXPECT_EQ(x, 12);
    EXPECT_EQ(y, 34);
    EXPECT_EQ(wheel, 3);
    EXPECT_EQ(sizeCalls, 1);
    injectWheel(5);
    EXPECT_EQ(wheel, 5);
    EXPECT_EQ(mouseWheelPosition(), 5);
    setMousePositionHandler({});
    setMouseWheelHandler({});
    setWindowSizeHandler({});
    injectWheel(0);
}

} // namespace
