// Small in-game sprites and surface textures: the claim bar, the side icons,
// the laser bolt and the hull plating.
#pragma once

#include "image.h"

namespace assetgen {

// Neutral glossy bar with a frame and tick marks; the shader colours the two sides' shares.
Image makeClaimBar();

// Side icons on a transparent background: the player's arrowhead, the computer's diamond.
Image makePlayerIcon();
Image makeComputerIcon();

// A laser bolt along the horizontal axis: white-hot core, soft glow, tapered ends.
Image makeLaserBolt();

// Tiling armour plating for the ship models.
Image makeHullPlating();

} // namespace assetgen
