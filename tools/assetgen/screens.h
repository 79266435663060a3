// Full-window overlays: the keyboard help and the defeat and victory screens.
// Sized for the game's usual 1440 x 780 window.
#pragma once

#include "image.h"

namespace assetgen {

constexpr int kScreenWidth = 1440;
constexpr int kScreenHeight = 780;

Image makeHelpScreen();
Image makeDefeatScreen();
Image makeVictoryScreen();

} // namespace assetgen
