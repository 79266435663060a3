// The sky: the star field on the inside of the sky sphere, and the sun.
#pragma once

#include "image.h"

namespace assetgen {

// Equirectangular deep-sky panorama; wraps horizontally, clean at the poles.
Image makeStarBackground();

// The sun billboard on black (drawn additively).
Image makeSun();

} // namespace assetgen
