// Render objects made once at render start-up and kept for the whole run:
// the two layer grids, the sun and the lens-flare sprites.
#pragma once

#include <array>

#include "render/billboard.h"

constexpr int kFlareSpriteCount = 14;

struct SceneObjects {
    // Both grids lie flat; the second is turned a quarter about the
    // vertical, and also marks the order plane.
    std::array<Mat4, 2> layerGrids{Mat4{1.0f}, Mat4{1.0f}};
    Billboard sun;
    // Flare1 to Flare4, flare01 to flare10, then the lens star.
    std::array<Billboard, kFlareSpriteCount + 1> flares;
};

SceneObjects& sceneObjects();

// Creates the grids and billboards; the textures must be loaded.
void createSceneObjects();
