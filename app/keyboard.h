// Keyboard commands.
#pragma once

// Set by Escape; ends the intro flight. Never cleared.
extern bool introSkipped;

// The key handler the window layer calls for every press and release.
void handleKey(int key, int action);
