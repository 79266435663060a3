#include <tuple>
#include <utility>
#include <vector>

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include "platform/keys.h"
#include "platform/window.h"

namespace {

TEST(WindowSizeTest, ThreeQuartersOfTheUsableScreenTruncated) {
    for (const auto& [usable, width, height] :
         {std::tuple{WindowSize{1920, 1040}, 1440, 780}, {WindowSize{1366, 705}, 1024, 528}}) {
        EXPECT_EQ(gameWindowSize(usable).width, width);
        EXPECT_EQ(gameWindowSize(usable).height, height);
    }
}

// A German layout: '<' right of Left Shift, '#' left of Enter, Y and Z
// swapped, and an 'ö' the game has no code for, read by its US position.
const char* germanKeyName(int libraryKey, int) {
    const std::pair<int, const char*> names[] = {
        {GLFW_KEY_WORLD_2, "<"},         {GLFW_KEY_RIGHT_BRACKET, "+"}, {GLFW_KEY_BACKSLASH, "#"},
        {GLFW_KEY_COMMA, ","},           {GLFW_KEY_PERIOD, "."},        {GLFW_KEY_Y, "z"},
        {GLFW_KEY_SEMICOLON, "\xc3\xb6"}};
    for (const auto& [key, name] : names) {
        if (key == libraryKey)
            return name;
    }
    return nullptr;
}

TEST(KeyTranslationTest, LibraryKeysBecomeTheGameCodes) {
    using Events = std::vector<std::pair<int, int>>;
    // clang-format off
    const int libraryKeys[] = {GLFW_KEY_WORLD_2, GLFW_KEY_RIGHT_BRACKET, GLFW_KEY_BACKSLASH,
        GLFW_KEY_COMMA, GLFW_KEY_PERIOD, GLFW_KEY_Y, GLFW_KEY_SEMICOLON, GLFW_KEY_A, GLFW_KEY_KP_0,
        GLFW_KEY_KP_3, GLFW_KEY_KP_ADD, GLFW_KEY_F11, GLFW_KEY_ESCAPE, GLFW_KEY_RIGHT_ALT};
    const int codes[] = {'<', '+', '#', ',', '.', 'Z', ';', 'A', Key::keypad(0),
        Key::keypad(3), Key::KeypadAdd, Key::function(11), Key::Escape, Key::RightAlt};
    // clang-format on
    Events seen;
    Events expected;
    // The key table is up to date when the handler runs.
    setKeyHandler([&seen](int key, int action) {
        seen.emplace_back(key, isKeyDown(key) == (action == KeyAction::Press) ? action : -1);
    });
    setKeyNameLookup(germanKeyName);
    for (std::size_t i = 0; i < std::size(codes); ++i) {
        translateKeyEvent(libraryKeys[i], 0, GLFW_PRESS);
        expected.emplace_back(codes[i], KeyAction::Press);
    }
    translateKeyEvent(GLFW_KEY_MENU, 0, GLFW_PRESS); // no code: dropped
    translateKeyEvent(GLFW_KEY_F9, 0, GLFW_REPEAT);  // held down: another press
    translateKeyEvent(GLFW_KEY_F9, 0, GLFW_RELEASE);
    setKeyNameLookup({});
    setKeyHandler({});
    releaseAllKeys();
    expected.emplace_back(Key::function(9), KeyAction::Press);
    expected.emplace_back(Key::function(9), KeyAction::Release);
    EXPECT_EQ(seen, expected);
}

TEST(KeyTranslationTest, TheWheelPositionIsTheRoundedTotalOfItsOffsets) {
    injectWheel(0);
    std::vector<int> positions;
    setMouseWheelHandler([&positions](int position) { positions.push_back(position); });
    for (const double offset : {0.4, 0.4, 0.4, -1.5, 1.0, -3.0})
        translateScroll(offset);
    setMouseWheelHandler({});
    EXPECT_EQ(positions, (std::vector<int>{0, 0, 1, 1, 0, 1, -2}));
}

} // namespace
