// Things drawn over the scene, facing the camera and ignoring depth: the
// icons of ships too far away for their hulls, and the claim bars of the
// planets that both sides are still fighting over.
#pragma once

#include "sim/galaxy.h"

// How the billboard program tells its billboards apart.
namespace BillboardKind {
constexpr float ClaimBar = 0.0f;
constexpr float PlayerIcon = 1.0f;
constexpr float SelectedPlayerIcon = 2.0f;
constexpr float ComputerIcon = -1.0f;
} // namespace BillboardKind

// In view and beyond the distance where hulls are still drawn, in the shown
// layer (no exception for a selected ship).
bool isIconShown(const Ship& ship);

// Someone has a claim on the planet and nobody has a full one yet.
bool isContested(const Planet& planet);

void drawOverlays();
