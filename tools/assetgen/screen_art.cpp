#include "screen_art.h"

#include <algorithm>
#include <cmath>

#include "noise.h"
#include "palette.h"

namespace assetgen {

void paintStarfield(Image& image, Color top, Color bottom, unsigned seed, int starCount) {
    for (int y = 0; y < image.height(); ++y) {
        const Color row = mix(top, bottom, float(y) / (image.height() - 1));
        for (int x = 0; x < image.width(); ++x)
            image.at(x, y) = row;
    }
    Rng rng(seed);
    for (int i = 0; i < starCount; ++i) {
        const float x = rng.range(0, float(image.width())), y = rng.range(0, float(image.height()));
        const float b = 0.15f + 0.85f * std::pow(rng.uniform(), 6.0f);
        const Color tint = mix(hexColor(0xffd9b0), hexColor(0xcfe0ff), rng.uniform());
        const float sigma = 0.45f + b * 0.9f;
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx) {
                const float ox = int(x) + dx + 0.5f - x, oy = int(y) + dy + 0.5f - y;
                image.addLight(int(x) + dx, int(y) + dy, tint,
                               b * std::exp(-(ox * ox + oy * oy) / (2 * sigma * sigma)));
            }
    }
}

void addGlow(Image& image, float cx, float cy, float radius, Color color) {
    const int x0 = std::max(0, int(cx - radius * 3)),
              x1 = std::min(image.width(), int(cx + radius * 3));
    const int y0 = std::max(0, int(cy - radius * 3)),
              y1 = std::min(image.height(), int(cy + radius * 3));
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / radius;
            image.addLight(x, y, color, std::exp(-d * d) * color.a);
        }
}

Image blurred(const Image& image, int radius) {
    Image a = image, b = image;
    const int w = image.width(), h = image.height();
    const float norm = 1.0f / (2 * radius + 1);
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y) {
            Color sum(0);
            for (int k = -radius; k <= radius; ++k)
                sum += a.at(std::clamp(k, 0, w - 1), y);
            for (int x = 0; x < w; ++x) {
                b.at(x, y) = sum * norm;
                sum += a.at(std::min(x + radius + 1, w - 1), y) - a.at(std::max(x - radius, 0), y);
            }
        }
        for (int x = 0; x < w; ++x) {
            Color sum(0);
            for (int k = -radius; k <= radius; ++k)
                sum += b.at(x, std::clamp(k, 0, h - 1));
            for (int y = 0; y < h; ++y) {
                a.at(x, y) = sum * norm;
                sum += b.at(x, std::min(y + radius + 1, h - 1)) - b.at(x, std::max(y - radius, 0));
            }
        }
    }
    return a;
}

void drawGlowText(Image& image, TextRenderer& text, const std::string& s, float x, float y,
                  FontFace face, int size, Color color, Color glow, Align align) {
    // Render the text alone, blur it, and add the halo as light.
    const int pad = size;
    const int w = int(text.measure(s, face, size)) + pad * 2;
    const int h = size * 2 + pad;
    Image mask(w, h, Color(0, 0, 0, 0));
    const float left = align == Align::Centre  ? x - w * 0.5f
                       : align == Align::Right ? x - w + pad
                                               : x - pad;
    const float top = y - size * 1.3f - pad * 0.5f;
    text.draw(mask, s, w * 0.5f, size * 1.3f + pad * 0.5f, face, size, Color(1), Align::Centre);
    const Image halo = blurred(mask, std::max(2, size / 8));
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            image.addLight(int(left) + i, int(top) + j, glow, halo.at(i, j).a * glow.a);
    text.draw(image, s, left + w * 0.5f, y, face, size, color, Align::Centre);
}

} // namespace assetgen
