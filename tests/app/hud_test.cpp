#include <sstream>

#include "input_fixture.h"

#include "app/console_capture.h"
#include "app/hud.h"
#include "app/messages.h"

namespace {

std::vector<std::string> texts(const std::vector<ShownMessage>& shown) {
    std::vector<std::string> result;
    for (const ShownMessage& message : shown) {
        result.push_back(message.text);
    }
    return result;
}

TEST(MessageListTest, KeepsTheNewestFiveInOrderAndFadesEachAfterFourSeconds) {
    MessageList list;
    for (int i = 0; i < 7; ++i) {
        list.post("line " + std::to_string(i), 10.0 + i * 0.5);
    }
    EXPECT_EQ(texts(list.shown(13.0)),
              (std::vector<std::string>{"line 2", "line 3", "line 4", "line 5", "line 6"}));
    // line 2 came at 11.0: whole until its last 0.75 s, half gone half-way
    // through them, gone at 15.0.
    const struct {
        double now;
        float opacity;
    } fading[] = {{14.2, 1.0f}, {14.625, 0.5f}, {14.99, 0.0133f}};
    for (const auto& [now, opacity] : fading) {
        ASSERT_EQ(list.shown(now).front().text, "line 2") << now;
        EXPECT_NEAR(list.shown(now).front().opacity, opacity, 0.01f) << now;
    }
    EXPECT_EQ(list.shown(15.0).front().text, "line 3");
    EXPECT_TRUE(list.shown(17.1).empty());
}

TEST(LineSplitterTest, PassesEveryByteOnAndHandsOverEachLineOrFlushedText) {
    std::ostringstream console;
    std::vector<std::string> lines;
    LineSplitter splitter(console.rdbuf(), [&](const std::string& line) { lines.push_back(line); });
    std::ostream out(&splitter);
    const std::string printed = "Help activated\n\n Bloom : 1Ship Attack Randomness :60"
                                "\r\nAI opened a new trade route\nhalf a line";
    out << "Help activated" << std::endl;
    out << "\n Bloom : " << 1 << std::flush;
    out << "Ship Attack Randomness :" << 60 << "\r\n";
    out << "AI opened a new trade route\nhalf a line";
    EXPECT_EQ(console.str(), printed);
    EXPECT_EQ(lines, (std::vector<std::string>{"Help activated", " Bloom : 1",
                                               "Ship Attack Randomness :60",
                                               "AI opened a new trade route"}));
    out.flush();
    EXPECT_EQ(lines.back(), "half a line");
}

class HudTest : public InputTest {
  protected:
    void SetUp() override {
        InputTest::SetUp();
        resetHud();
    }
    std::vector<std::string> messages() { return texts(gameMessages().shown(now)); }
};

TEST_F(HudTest, CommandsThatPrintNothingPostTheirNewState) {
    const struct {
        int key;
        std::vector<std::string> posted;
    } cases[] = {
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
        {Key::function(10), {}}, // prints, so the console capture shows it
    };
    for (const auto& [key, posted] : cases) {
        gameMessages().clear();
        tap(key);
        EXPECT_EQ(messages(), posted) << "key " << key;
    }
    EXPECT_EQ(output(), "\n Bloom : 0");
}

TEST_F(HudTest, StatusPauseSignAndF2) {
    updateHudStatus({60.0, 0, 0, 7, 12});
    orderPlaneHeight = 5.0f;
    layerFilter = 1;
    tap('P');
    const std::vector<TextBlock> blocks = hudBlocks(now);
    ASSERT_EQ(blocks.size(), 3u);
    std::vector<std::string> status;
    for (const TextLine& line : blocks[0].lines) {
        status.push_back(line.text);
    }
    EXPECT_EQ(blocks[0].anchor, TextAnchor::TopRight);
    EXPECT_EQ(status, (std::vector<std::string>{"Ships: you 12, enemy 7", "60 FPS",
                                                "Order plane at 5.0", "Layer 2"}));
    EXPECT_EQ(blocks[1].lines.front().text, "Game paused");
    EXPECT_EQ(blocks[2].anchor, TextAnchor::Centre);
    EXPECT_EQ(blocks[2].lines.front().text, "PAUSED");

    tap(Key::function(2));
    EXPECT_FALSE(hudShown);
    tap(Key::function(2));
    EXPECT_TRUE(hudShown);
    EXPECT_EQ(output(), "");
}

} // namespace
