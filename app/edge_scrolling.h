// The camera follows the mouse: it scrolls (or, with Left Alt, orbits) while
// the cursor rests near a window border, and the wheel zooms.
#pragma once

#include "platform/window.h"

struct EdgeFlags {
    bool left = false;
    bool right = false;
    bool top = false;
    bool bottom = false;
};

// Which borders the last cursor event was within 15 pixels of, or beyond:
// they hold while the pointer is outside the window, so a player pushes it
// past the border to keep scrolling. Losing the focus clears them: the view
// never slides while the player works in another program.
const EdgeFlags& edgeFlags();
void updateEdgeFlags(int x, int y, WindowSize window);
void clearEdgeFlags();

// Runs the border moves once; called every frame.
void applyEdgeScrolling();

// One zoom step per wheel event, in the direction the wheel turned.
void handleMouseWheel(int position);

// Back to the start values; for tests.
void resetEdgeScrolling();
