// What the camera sees: whether the sun is in plain view, which gates the
// lens flare.
#pragma once

#include "sim/galaxy.h"

// The sun (a sphere of radius 3 at `sun`) is wholly inside the camera's view and no
// planet of the shown layers lies on the line from the sun through the eye.
// layerFilter is -1 for all planet layers, or the one layer 0 to 2 shown.
bool isLightSourceVisible(const Vec3& sun, int layerFilter);
