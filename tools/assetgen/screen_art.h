// Drawing helpers shared by the full-window screens.
#pragma once

#include <string>

#include "image.h"
#include "text.h"

namespace assetgen {

// Deep-space backdrop: vertical gradient, scattered stars of varied brightness.
void paintStarfield(Image& image, Color top, Color bottom, unsigned seed, int starCount);

// Soft radial light added to the image (nebula glow, sun glare).
void addGlow(Image& image, float cx, float cy, float radius, Color color);

// Separable box blur, three passes (close to Gaussian).
Image blurred(const Image& image, int radius);

// Large title text with a blurred halo behind it.
void drawGlowText(Image& image, TextRenderer& text, const std::string& s, float x, float y,
                  FontFace face, int size, Color color, Color glow, Align align);

} // namespace assetgen
