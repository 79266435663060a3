// The end of a game in the real main loop, through the window layer's event
// hook: Escape skips the intro, the first frame of play sets an end flag, the
// next must show the end screen, and the wait for the window closes it.
#include "gl_test_support.h"

#include "app/edge_scrolling.h"
#include "app/game.h"
#include "app/keyboard.h"
#include "platform/keys.h"
#include "platform/window.h"
#include "render/render_state.h"
#include "render/texture_manager.h"
#include "sim/galaxy.h"

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

} // namespace
