// Surface maps for the six planet kinds, wrapped around a UV sphere: column 0
// and the last column meet at the seam, the top row is the north pole.
#pragma once

#include "image.h"

namespace assetgen {

constexpr int kPlanetWidth = 1024;
constexpr int kPlanetHeight = 512;

// Kinds: 1 gas giant, 2 ice world, 3 cratered rock, 4 inhabited ocean world,
// 5 lava world, 6 desert world.
Image makePlanet(int kind);

// City lights of the kind 4 world, on black; the cities follow its coastlines.
Image makePlanetNight();

// The surface of a kind, generated once per run and then shared.
const Image& planetTexture(int kind);

} // namespace assetgen
