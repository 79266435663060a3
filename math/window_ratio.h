// Width over height of the game window. The resize handler keeps it up to
// date; until the first resize the game assumes a 1.4 wide window.
#pragma once

inline constexpr float kStartAspectRatio = 1.4f;

inline float aspectRatio = kStartAspectRatio;
