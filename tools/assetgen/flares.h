// Lens-flare sprites: white-ish shapes on black, tinted and blended additively
// by the game, so every one fades to pure black before its border.
#pragma once

#include "image.h"

namespace assetgen {

enum class FlareShape {
    Glow,        // soft disc with a hot centre
    Ring,        // thin halo ring
    Hexagon,     // aperture ghost, six blades
    Ghost,       // flat disc with a bright rim
    Octagon,     // aperture ghost, eight blades
    Streak,      // horizontal anamorphic streak
    DoubleRing,  // two concentric rings
    Pentagon,    // aperture ghost, five blades
    Sparkle6,    // glow with six spikes
    WideHalo,    // broad soft ring
    Heptagon,    // aperture outline, seven blades
    Sparkle4,    // four-point star
    RainbowRing, // ring with chromatic fringes
    HotSpot,     // small bright point
};

Image makeFlare(FlareShape shape);

// The star burst at the sun: many thin rays of different lengths around a core.
Image makeLensStar();

} // namespace assetgen
