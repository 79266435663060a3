#include "app/keyboard.h"

#include "app/input_callbacks.h"
#include "app/keys.h"
#include "app/window.h"

bool introSkipped = false;

namespace {
bool enterHeld = false; // auto-repeat must not switch the window mode again
} // namespace

void handleKey(int key, int action) {
    if (key == Key::Enter) {
        const bool firstPress = action == KeyAction::Press && !enterHeld;
        enterHeld = action == KeyAction::Press;
        if (firstPress && isKeyDown(Key::LeftAlt)) {
            toggleWindowMode();
        }
    }
    if (action != KeyAction::Press) {
        return;
    }
    if (key == Key::Escape) {
        introSkipped = true;
    }
    if (key == Key::function(4) && isKeyDown(Key::LeftAlt)) {
        requestWindowClose(); // the main loop notices at its next window check
    }
}
