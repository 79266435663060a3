// Mouse selection and orders: left click or drag selects own ships and
// planets, right click sends ships and points production, Ctrl+right click
// fires at an enemy ship, X with a left click fires at the aim point.
#pragma once

#include <optional>
#include <vector>

#include "app/app_state.h"
#include "app/picking.h"

// Stores the cursor position in appState() and judges the edge flags.
void handleMousePosition(int x, int y);
// Judges the edge flags again at the last cursor position, against the
// window's size as the windowing library has it now; they keep their values
// while the library knows no size (a minimised window, or none at all).
void refreshEdgeFlags();
void handleMouseButton(int button, int action);

// Pixels between the points of a drag selection, from the camera distance:
// finer when the camera is close.
int dragGridStep(float cameraDistance);
// The window points a drag casts rays at: a grid over its rectangle,
// whichever way it was drawn, dragGridStep apart from its top-left corner.
std::vector<glm::ivec2> dragGridPoints(glm::ivec2 from, glm::ivec2 to, float cameraDistance);

// Selects the own ships and planets under one window point.
void pickAt(int x, int y);

// The selected ships fly to the point: after their queued destinations
// with `queue`, else instead of them.
void sendSelectedShips(Vec3 point, bool queue);

// The right-click order at the cursor.
void orderAtCursor();

// Ctrl+right click: the selected ships fire at the first enemy ship under
// the cursor.
void fireAtCursorTarget();

// Where the ray crosses the given height, clamped to the cube [-100, 100]^3;
// nothing when the ray runs horizontally.
std::optional<Vec3> planePoint(const PickRay& ray, float height);

// Back to the start values; for tests.
void resetMouse();
