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

// Which borders the cursor is within 15 pixels of. A cursor outside the
// window (dragging beyond it) sets none, and none stay set once the cursor
// has left the window or the window has lost the focus: the view never
// slides while the player's pointer is elsewhere.
const EdgeFlags& edgeFlags();
void updateEdgeFlags(int x, int y, WindowSize window);
void clearEdgeFlags();

// Runs the border moves once; called every frame.
void applyEdgeScrolling();

// One zoom step per wheel event, in the direction the wheel turned.
void handleMouseWheel(int position);

// Back to the start values; for tests.
void resetEdgeScrolling();
