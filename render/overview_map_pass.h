// Draws the overview map onto the window, over the finished picture and
// under the on-screen text: the backdrop as two triangles, the dots as
// points, then the lines, from one buffer that only grows.
#pragma once

#include "render/overview_map.h"

// Builds the program ("Shaders/mapShader") and buffers. Needs the GL
// context; a program that does not build leaves the map undrawn.
void createOverviewMapPass();

void drawOverviewMap(const OverviewMap& map);

// Deletes the GL objects while the context lives, or only forgets them.
void destroyOverviewMapPass();
void forgetOverviewMapPass();
