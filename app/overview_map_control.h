// The overview map in the game: shown while Tab and F2 both leave it on and
// neither the help page nor the end screen covers the window; a left click
// or drag on it moves the camera there, a right click sends the selected
// ships there. Mouse events on the map stop at it.
#pragma once

#include "render/overview_map.h"

// Whether the map is drawn and takes the mouse now.
bool isOverviewMapShown();

// The map's rectangle in the current window.
MapRect currentMapRect();

// The planet the pointer rests on: its dot on the shown map, else the
// planet under it in the scene.
const Planet* planetAtPointer(int x, int y);

// Installs the map pass into the renderer's window passes.
void installOverviewMap();

// A mouse button event at the cursor: returns whether the map took it.
// A left press on the map starts moving the view and the drag ends at the
// release, wherever it is; a left drag begun in the scene ends in the scene;
// a right release on the map gives the order.
bool handleMapMouseButton(int button, int action);

// While a left drag begun on the map lasts, the view follows the cursor,
// held to the map's frame.
void followMapDrag();

// Back to no drag; for tests.
void resetOverviewMapControl();
