// The frame pipeline: everything the game draws each frame.
#pragma once

// Ships and planets actually drawn since the last statistics report.
extern int drawnShipCount;
extern int drawnPlanetCount;

void initRenderer();

// Draws one frame and swaps it onto the window; the swap processes window
// events, so every input callback runs inside this call.
void renderFrame();

void shutdownRenderer();

// Keeps the viewport in step with the window.
void resizeViewport(int width, int height);
