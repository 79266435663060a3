// Wiring the window's input and size events to the game's handlers, keeping
// viewport, projection and off-screen target in step with the window, and
// the two window modes that Alt+Enter switches between.
#pragma once

// False in window mode (three quarters of the usable screen, as the game
// starts), true in full-screen mode (the whole usable screen).
extern bool fullscreenMode;

// Installs the key and window-size handlers; the size handler runs at once
// with the window's current size.
void installInputCallbacks();

// The window-size handler: new projection, viewport, stored size and
// aspect ratio, and an off-screen target of the new size. A minimised
// window reports 0 x 0; the last real size then stays in force.
void handleResize(int width, int height);

// Both switches resize the one window; the window and its GL context stay,
// so every GL object stays valid.
void switchToFullscreen();
void switchToWindowMode();

// Alt+Enter: switches to the other mode and says which one it now is.
void toggleWindowMode();
