// The end of a game in the real main loop, through the window layer's event
// hook: Escape skips the intro, the first frame of play sets an end flag, the
// next must show the end screen, and the wait for the window closes it. A
// whole game played fast ends on its story, redrawn in F6's colours.
#include <cstdlib>

#include <FreeImage.h>

#include "gl_test_support.h"

#include "app/edge_scrolling.h"
#include "app/game.h"
#include "app/keyboard.h"
#include "platform/keys.h"
#include "platform/window.h"
#include "render/palette.h"
#include "render/render_state.h"
#include "render/texture_manager.h"
#include "sim/events.h"
#include "sim/galaxy.h"
#include "sim/game_record.h"
#include "sim/simulation.h"

namespace {

TEST(GameEndTest, TheOutcomeShowsItsScreenPrintsItsLineAndWaitsForTheWindow) {
    ScopedWorkingDirectory inGame(gameDirectory());
    ScratchFolder scratch;
    // Pure green defeat and blue victory screens.
    writeImage(scratch.path() / "defeat.bmp", 8, 8, 24, 0, 200, 0);
    writeImage(scratch.path() / "victory.bmp", 8, 8, 24, 200, 0, 0);
    for (const bool victory : {true, false}) {
        int framesAfterTheEnd = -1;
        int waits = 0;
        int frames = 0;
        appState().introSkipped = false;
        unsigned char shown[4] = {};
        setEventHook([&](bool waiting) {
            Galaxy& g = galaxy();
            if (waiting) {
                ++waits;
                requestWindowClose();
            } else if (framesAfterTheEnd >= 0) {
                ++framesAfterTheEnd;
                glBindFramebuffer(GL_FRAMEBUFFER, 0);
                glReadBuffer(GL_BACK);
                glReadPixels(renderState().windowWidth / 2, renderState().windowHeight / 2, 1, 1,
                             GL_RGBA, GL_UNSIGNED_BYTE, shown);
            } else if (++frames == 1) { // the intro
                // The cursor rests mid-screen: installed at its real place,
                // not (0, 0), the handler sets no border.
                const EdgeFlags& edges = edgeFlags();
                EXPECT_FALSE(edges.left || edges.right || edges.top || edges.bottom);
                TextureManager& textures = textureManager();
                textures.loadTexture((scratch.path() / "defeat.bmp").string(), 101, GL_BGR, GL_RGB);
                textures.loadTexture((scratch.path() / "victory.bmp").string(), 102, GL_BGR,
                                     GL_RGB);
                injectKey(Key::Escape, KeyAction::Press);
                injectKey(Key::Escape, KeyAction::Release);
            } else {
                (victory ? g.playerVictorious : g.playerDefeated) = true;
                framesAfterTheEnd = 0;
            }
        });
        int exitCode = -1;
        const CapturedOutput output = captureOutput([&exitCode] { exitCode = runGame(); });
        setEventHook({});
        EXPECT_EQ(exitCode, 0);
        const std::string line =
            victory ? "EPIC VICTORY\n" : "Your empire got crushed - you have lost\n";
        ASSERT_GE(output.out.size(), line.size());
        EXPECT_EQ(output.out.substr(output.out.size() - line.size()), line);
        EXPECT_EQ(framesAfterTheEnd, 1); // the screen, drawn once
        EXPECT_EQ(waits, 1);
        EXPECT_GT(shown[victory ? 2 : 1], 150) << victory;
        EXPECT_LT(shown[victory ? 1 : 2], 50) << victory;
    }
}

// Pixels of the window within a few levels of the colour; VORLAXIS_END_SHOT
// names a folder that keeps each screen as end_<n>.png.
int countColour(glm::vec4 colour, int shot) {
    const int w = renderState().windowWidth, h = renderState().windowHeight;
    std::vector<unsigned char> bgra(static_cast<std::size_t>(w) * h * 4);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, w, h, GL_BGRA, GL_UNSIGNED_BYTE, bgra.data());
    if (const char* folder = std::getenv("VORLAXIS_END_SHOT")) {
        FIBITMAP* image = FreeImage_ConvertFromRawBits(bgra.data(), w, h, 4 * w, 32, 0xFF0000,
                                                       0xFF00, 0xFF, FALSE);
        const std::string file = std::string(folder) + "/end_" + std::to_string(shot) + ".png";
        FreeImage_Save(FIF_PNG, image, file.c_str());
        FreeImage_Unload(image);
    }
    const glm::ivec3 want{glm::round(glm::vec3(colour.b, colour.g, colour.r) * 255.0f)};
    int count = 0;
    for (std::size_t i = 0; i < bgra.size(); i += 4) {
        const glm::ivec3 got{bgra[i], bgra[i + 1], bgra[i + 2]};
        count += glm::all(glm::lessThanEqual(glm::abs(got - want), glm::ivec3(3)));
    }
    return count;
}

TEST(GameEndTest, AWholeGameEndsOnItsStoryRedrawnInTheChosenColours) {
    ScopedWorkingDirectory inGame(gameDirectory());
    appState().introSkipped = false;
    int frames = 0;
    std::vector<int> seen; // side colours of each palette, player then computer
    setEventHook([&](bool waiting) {
        Galaxy& g = galaxy();
        if (waiting) {
            const Palette& p = activePalette();
            seen.push_back(countColour(p.playerText, static_cast<int>(seen.size())));
            seen.push_back(countColour(p.computerText, static_cast<int>(seen.size())));
            injectKey(Key::function(6), KeyAction::Press);
            injectKey(Key::function(6), KeyAction::Release);
            if (seen.size() == 4)
                requestWindowClose();
        } else if (++frames == 1) {
            injectKey(Key::Escape, KeyAction::Press);
            injectKey(Key::Escape, KeyAction::Release);
        } else {
            // Two minutes of play a frame, in the game's own steps.
            for (int i = 0; i < 3600 && !g.playerDefeated && !g.playerVictorious; ++i) {
                g.frameDelta = 1.0 / 30.0;
                g.elapsedTime += g.frameDelta;
                stepSimulation();
                recordGameStep();
                clearEvents();
            }
        }
    });
    const CapturedOutput output = captureOutput([] { runGame(); });
    setEventHook({});
    EXPECT_NE(output.out.find("Your empire got crushed"), std::string::npos);
    ASSERT_EQ(seen.size(), 4u);
    for (int count : seen)
        EXPECT_GT(count, 200); // both sides' lines in both graphs
}

} // namespace
