#include "app/keyboard.h"

#include "app/keys.h"
#include "app/window.h"

bool introSkipped = false;

void handleKey(int key, int action) {
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
