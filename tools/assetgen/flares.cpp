#include "flares.h"

#include <algorithm>
#include <cmath>

#include <glm/vec3.hpp>

#include "noise.h"
#include "palette.h"
#include "parallel.h"

namespace assetgen {

using glm::vec3;

namespace {

constexpr int kFlareSize = 256;
constexpr float kPi = 3.1415927f;

// Distance-like measure to a regular polygon's edge, 1 on the edge.
float polygonRadius(float x, float y, int sides, float rotation) {
    const float angle = std::atan2(y, x) + rotation;
    const float sector = 2 * kPi / sides;
    const float local = angle - sector * std::floor(angle / sector) - sector * 0.5f;
    return std::hypot(x, y) * std::cos(local) / std::cos(sector * 0.5f);
}

float gaussian(float x, float width) {
    return std::exp(-(x * x) / (2 * width * width));
}

// An aperture ghost: translucent fill, brighter rim, soft edge.
float aperture(float x, float y, int sides, float rotation) {
    const float p = polygonRadius(x, y, sides, rotation) / 0.8f;
    const float inside = smoothstep(1.0f, 0.96f, p);
    return inside * (0.32f + 0.35f * std::pow(p, 6.0f)) + gaussian(p - 1.0f, 0.02f) * 0.4f;
}

vec3 shapeColor(FlareShape shape, float x, float y) {
    const float r = std::hypot(x, y);
    const float a = std::atan2(y, x);
    switch (shape) {
    case FlareShape::Glow:
        return vec3(std::exp(-r * r * 7.0f) * 0.8f + std::exp(-r * r * 60.0f) * 0.4f);
    case FlareShape::Ring:
        return vec3(gaussian(r - 0.72f, 0.035f) * 0.85f + smoothstep(0.75f, 0.3f, r) * 0.06f);
    case FlareShape::Hexagon:
        return vec3(aperture(x, y, 6, 0.26f));
    case FlareShape::Ghost:
        return vec3(smoothstep(0.82f, 0.78f, r) * (0.25f + 0.5f * std::pow(r / 0.8f, 4.0f)));
    case FlareShape::Octagon:
        return vec3(aperture(x, y, 8, 0.2f));
    case FlareShape::Streak: {
        const float along = std::exp(-std::abs(x) * 3.5f) * smoothstep(1.0f, 0.7f, std::abs(x));
        return vec3(0.85f, 0.9f, 1.0f) * (gaussian(y, 0.025f) * along + gaussian(r, 0.12f) * 0.5f);
    }
    case FlareShape::DoubleRing:
        return vec3(gaussian(r - 0.78f, 0.025f) * 0.7f + gaussian(r - 0.55f, 0.04f) * 0.45f);
    case FlareShape::Pentagon:
        return vec3(aperture(x, y, 5, 0.5f));
    case FlareShape::Sparkle6: {
        const float spikes = std::pow(std::abs(std::cos(a * 3.0f)), 60.0f) * std::exp(-r * 3.0f);
        return vec3(spikes * 0.9f + std::exp(-r * r * 25.0f) * 0.8f);
    }
    case FlareShape::WideHalo:
        return vec3(gaussian(r - 0.6f, 0.12f) * 0.45f);
    case FlareShape::Heptagon: {
        const float p = polygonRadius(x, y, 7, 0.1f) / 0.8f;
        return vec3(gaussian(p - 1.0f, 0.03f) * 0.8f + smoothstep(1.0f, 0.9f, p) * 0.1f);
    }
    case FlareShape::Sparkle4: {
        const float spikes =
            (gaussian(y, 0.012f + 0.02f * (1 - std::abs(x))) * std::exp(-std::abs(x) * 2.5f) +
             gaussian(x, 0.012f + 0.02f * (1 - std::abs(y))) * std::exp(-std::abs(y) * 2.5f));
        return vec3(spikes + std::exp(-r * r * 40.0f));
    }
    case FlareShape::RainbowRing: {
        // Red outside, violet inside, as a real lens disperses light.
        const float t = (r - 0.62f) / 0.16f;
        const vec3 hue(smoothstep(-0.2f, 0.6f, t) * smoothstep(1.2f, 0.7f, t),
                       gaussian(t - 0.3f, 0.28f),
                       smoothstep(0.5f, -0.3f, t) * smoothstep(-1.2f, -0.6f, t));
        return hue * 0.7f;
    }
    case FlareShape::HotSpot:
        return vec3(std::exp(-r * r * 120.0f) + std::exp(-r * r * 14.0f) * 0.35f);
    }
    return vec3(0);
}

} // namespace

Image makeFlare(FlareShape shape) {
    Image image(kFlareSize, kFlareSize);
    parallelRows(kFlareSize, [&](int y) {
        for (int x = 0; x < kFlareSize; ++x) {
            const float px = (x + 0.5f) / kFlareSize * 2 - 1, py = (y + 0.5f) / kFlareSize * 2 - 1;
            const float fadeOut = smoothstep(1.0f, 0.9f, std::max(std::abs(px), std::abs(py)));
            image.at(x, y) = Color(shapeColor(shape, px, py) * fadeOut, 1);
        }
    });
    return image;
}

Image makeLensStar() {
    constexpr int size = 512;
    constexpr int rays = 72;
    float length[rays], width[rays];
    Rng rng(130);
    for (int i = 0; i < rays; ++i) {
        length[i] = i % 6 == 0 ? 0.95f : rng.range(0.25f, 0.75f);
        width[i] = rng.range(0.5f, 1.4f);
    }
    Image image(size, size);
    parallelRows(size, [&](int y) {
        for (int x = 0; x < size; ++x) {
            const float px = (x + 0.5f) / size * 2 - 1, py = (y + 0.5f) / size * 2 - 1;
            const float r = std::hypot(px, py);
            float angle = std::atan2(py, px) / (2 * kPi) * rays;
            if (angle < 0)
                angle += rays;
            float v = std::exp(-r * r * 90.0f) + std::exp(-r * 7.0f) * 0.3f;
            // Each ray is a thin wedge whose brightness dies off towards its tip.
            for (int k = -1; k <= 1; ++k) {
                const int i = ((int(angle) + k) % rays + rays) % rays;
                const float offset =
                    (angle - (int(angle) + k + 0.5f)) * (2 * kPi / rays) * r * size * 0.5f;
                const float fall = std::max(0.0f, 1.0f - r / length[i]);
                v += gaussian(offset, width[i]) * fall * fall * 0.8f;
            }
            v *= smoothstep(1.0f, 0.92f, r);
            image.at(x, y) = Color(vec3(v), 1);
        }
    });
    return image;
}

} // namespace assetgen
