// The backdrop: the star sky around the camera, the two line grids that
// mark the planet layer on show, and the glowing sheet at the height where
// move orders land.
#pragma once

#include "sim/galaxy.h"

// The sky's fixed model matrix: x, y and z scaled by 1000 and w by 0.2, so
// the sphere sits 5000 units out, well inside the far plane.
Mat4 skyMatrix();

// Grid i (0 or 1) at the height of the shown layer, or at height 0 while
// every layer is shown.
Mat4 layerGridMatrix(int grid);

// The order sheet lies half a unit below the order height.
Mat4 orderPlaneMatrix(float height);

// Drawn first, writing no depth, so it never hides anything. Into the
// bound framebuffer's one draw buffer, from a copy kept while the view's
// direction, projection, size and the stars' filtering stay the same.
void drawSky();

// Deletes the kept copy. Needs the GL context.
void destroySkyCache();
// Forgets it without touching GL, for when the context is gone.
void forgetSkyCache();
void drawLayerGrids();
// Draws only while the order plane is in use (height above -1).
void drawOrderPlane(float height);
