#include "input_fixture.h"

#include "app/hud.h"
#include "app/messages.h"

namespace {

using Texts = std::vector<std::string>;

template <typename Lines> Texts texts(const Lines& lines) {
    Texts result;
    for (const auto& line : lines)
        result.push_back(line.text);
    return result;
}

TEST(MessageListTest, KeepsTheNewestFiveInOrderAndFadesEachAfterFourSeconds) {
    MessageList list;
    for (int i = 0; i < 7; ++i)
        list.post("line " + std::to_string(i), 10.0 + i * 0.5);
    EXPECT_EQ(texts(list.shown(13.0)), (Texts{"line 2", "line 3", "line 4", "line 5", "line 6"}));
    // line 2 came at 11.0: whole until its last 0.75 s, then fading out by 15.0.
    for (const auto& [now, opacity] : {std::pair{14.2, 1.0f}, {14.625, 0.5f}, {14.99, 0.013f}}) {
        EXPECT_EQ(list.shown(now).front().text, "line 2") << now;
        EXPECT_NEAR(list.shown(now).front().opacity, opacity, 0.01f) << now;
    }
    EXPECT_EQ(list.shown(15.0).front().text, "line 3");
    EXPECT_TRUE(list.shown(17.1).empty());
}

// That printed lines reach the screen as messages, the end-to-end test of
// the on-screen text reads off the screen after F10.
class HudTest : public InputTest {
  protected:
    void SetUp() override {
        InputTest::SetUp();
        resetHud();
    }
};

TEST_F(HudTest, CommandsThatPrintNothingPostTheirNewState) {
    const std::pair<int, Texts> cases[] = {
        {'P', {"Game paused"}},
        {'P', {"Game resumed"}},
        {'R', {"Order plane at 1.5"}},
        {'R', {"Order plane at 4.0"}},
        {'F', {"Order plane at 1.5"}},
        {'C', {"Order plane off"}},
        {'C', {}}, // already off
        {'G', {"Layer grid off"}},
        {'.', {"Bloom strength 1.1"}},
        {',', {"Bloom strength 1.0"}},
        {Key::function(10), {}}, // printed, so the console capture shows it
        {Key::function(2), {}},  // hides the HUD
    };
    for (const auto& [key, posted] : cases) {
        gameMessages().clear();
        tap(key);
        EXPECT_EQ(texts(gameMessages().shown(now)), posted) << "key " << key;
    }
    EXPECT_EQ(output(), "\n Bloom : 0");
    EXPECT_FALSE(hudShown);
}

} // namespace
