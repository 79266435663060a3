#include "input_fixture.h"

#include <sstream>

#include "app/console_capture.h"
#include "app/hud.h"
#include "app/messages.h"
#include "app/window_words.h"

namespace {

using Texts = std::vector<std::string>;

template <typename Lines> Texts texts(const Lines& lines) {
    Texts result;
    for (const auto& line : lines)
        result.push_back(line.text);
    return result;
}

TEST(MessageListTest, KeepsTheNewestRowsFadesEachAfterFourSecondsAndFoldsABurst) {
    MessageList list;
    for (const auto& [text, at] :
         {std::pair{"line 0", 9.0}, {"line 1", 10.0}, {"line 2", 11.0}, {"line 3", 11.05}})
        list.post(text, at);
    for (int i = 0; i < 400; ++i) // 400 ships firing in one frame
        list.post("fire " + std::to_string(i), 11.5 + i * 1e-4);
    const Texts burst{"fire 398", "fire 399", "... and 398 more"};
    EXPECT_EQ(texts(list.shown(11.5)),
              (Texts{"line 1", "line 2", "line 3", burst[0], burst[1], burst[2]}));
    // line 1 came at 10.0: whole until its last 0.75 s, then fading out by 14.0.
    for (const auto& [now, opacity] : {std::pair{13.2, 1.0f}, {13.625, 0.5f}, {13.99, 0.013f}}) {
        EXPECT_EQ(list.shown(now).front().text, "line 1") << now;
        EXPECT_NEAR(list.shown(now).front().opacity, opacity, 0.01f) << now;
    }
    EXPECT_EQ(texts(list.shown(15.2)), burst);
    EXPECT_TRUE(list.shown(15.5).empty());
    const std::string ee = "\xc3\xa9\xc3\xa9", a = std::string(198, 'a') + ee; // 200 characters
    for (const auto& [text, capped] :
         {std::pair{a, a}, {ee + std::string(5000, 'a'), ee + std::string(195, 'a') + "..."}})
        EXPECT_EQ(capMessage(text), capped) << text.size();
}

TEST(LineSplitterTest, HandsOnEachLineAndPassesEveryByteThrough) {
    const std::pair<std::string, Texts> cases[] = {
        {"one\ntwo\n\n\n Bloom : 0", {"one", "two", " Bloom : 0"}},   // the flush ends the last
        {"a\r\nb\r\n50%\r60%\r70%\n80%\r", {"a", "b", "70%", "80%"}}, // as a terminal shows
        {"\xc3\xa9\xe2\x82\xac\xf0\x9f\x9a\x80\n", {"\xc3\xa9\xe2\x82\xac\xf0\x9f\x9a\x80"}},
        {std::string(10000, 'x') + "\nafter\n", {std::string(1024, 'x') + "...", "after"}},
    };
    for (const auto& [text, lines] : cases) {
        std::stringbuf console;
        Texts handed;
        LineSplitter splitter(&console, [&](const std::string& line) { handed.push_back(line); });
        std::ostream(&splitter) << text << std::flush;
        EXPECT_EQ(handed, lines) << text.substr(0, 20);
        EXPECT_EQ(console.str(), text);
    }
}

// That printed lines reach the screen as messages, the end-to-end test of
// the on-screen text reads off the screen after F10.
class HudTest : public InputTest {
  protected:
    void SetUp() override {
        InputTest::SetUp();
        resetHud();
        consoleWords().reset();
    }
};

TEST_F(HudTest, CommandsThatPrintNothingPostTheirNewState) {
    const std::pair<int, Texts> cases[] = {
        {'P', {"Game paused"}},
        {'P', {"Game resumed"}},
        {'R', {"Order plane at 1.5"}},
        {'C', {"Order plane off"}},
        {'C', {}}, // already off
        {'G', {"Layer grid off"}},
        {'.', {"Bloom strength 1.1"}},
        {Key::function(10), {}}, // printed, so the console capture shows it
        {Key::function(2), {}},  // hides the HUD
    };
    for (const auto& [key, posted] : cases) {
        gameMessages().clear();
        tap(key);
        EXPECT_EQ(texts(gameMessages().shown(now)), posted) << "key " << key;
    }
    EXPECT_EQ(output(), "\n Bloom : 0");
    EXPECT_FALSE(appState().hudShown);
    // Status, messages and the selection in the body size; the pause banner larger.
    addShip(true, Vec3{0.0f})->selected = true;
    updateHudStatus({});
    tap('P');
    std::vector<std::pair<TextAnchor, float>> sizes;
    for (const TextBlock& block : hudBlocks(now))
        sizes.emplace_back(block.anchor, block.size);
    EXPECT_EQ(sizes, (std::vector<std::pair<TextAnchor, float>>{{TextAnchor::TopRight, 1.0f},
                                                                {TextAnchor::BottomLeft, 1.0f},
                                                                {TextAnchor::TopLeft, 1.0f},
                                                                {TextAnchor::Centre, 2.2f}}));
}

// The console keeps the game's words; the window says them as a player reads them.
TEST_F(HudTest, PrintedLinesShowInAPlayersWordsAndTheConsoleKeepsItsOwn) {
    LineSplitter splitter(std::cout.rdbuf(),
                          [this](const std::string& line) { consoleWords().take(line, now); });
    std::streambuf* const console = std::cout.rdbuf(&splitter);
    const std::tuple<int, std::string, Texts> cases[] = {
        {'L', "DEBUG INFO:1\n", {"Debug info on"}},
        {Key::function(3), "\n Wireframe Mode : 1", {"Wireframe on"}},
        {Key::function(11), "LenseFlare deactivated\n", {"Lens flare off"}},
        {Key::function(4), "\n Filter setting: Nearest", {"Texture filter: Nearest"}},
        {'+', "SPAWN SPEED:0.65\n", {"Spawn speed 0.65"}},
    };
    for (const auto& [key, printed, shown] : cases) {
        gameMessages().clear();
        tap(key);
        std::cout << std::flush;
        EXPECT_EQ(output(), printed) << "key " << key;
        EXPECT_EQ(texts(gameMessages().shown(now)), shown) << "key " << key;
    }
    std::cout.rdbuf(console);
    for (const auto& [line, words] :
         {std::pair{"Jump to-48.6976/0/-48.6976", "Camera to the group"},
          {"Framebuffer created", ""},
          {"Ship Attack Randomness :20", "Attack randomness 20"},
          {"Sound on", "Sound on"}})
        EXPECT_EQ(windowWords(line), words);
    // The computer's routes: the first at once, then one count at most every 10 s.
    gameMessages().clear();
    for (const double at : {100.0, 100.0, 100.0, 105.0})
        consoleWords().take("AI opened a new trade route", at);
    EXPECT_EQ(texts(gameMessages().shown(103.0)), Texts{"Enemy opened a trade route"});
    for (const double at : {109.9, 110.0, 125.0})
        consoleWords().postDueRouteLine(at);
    EXPECT_EQ(texts(gameMessages().shown(110.0)), Texts{"Enemy opened 3 trade routes"});
    EXPECT_TRUE(gameMessages().shown(125.0).empty());
}

} // namespace
