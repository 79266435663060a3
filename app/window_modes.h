// The two window modes that Alt+Enter switches between, and the wiring of
// the window's input and size events to the game's handlers.
#pragma once

#include "app/app_state.h"

// Installs the key and window-size handlers; the size handler runs at once
// with the window's current size.
void installInputCallbacks();

// The window-size handler: the renderer follows the new size (a minimised
// window's 0 x 0 leaves it at the last real one) and the edge flags are
// judged again, as the pointer now lies elsewhere relative to the borders.
void handleResize(int width, int height);

// Both switches resize the one window; the window and its GL context stay,
// so every GL object stays valid. appState().fullscreenMode says which mode
// is on.
void switchToFullscreen();
void switchToWindowMode();

// Alt+Enter: switches to the other mode and says which one it now is.
void toggleWindowMode();
