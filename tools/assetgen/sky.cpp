#include "sky.h"

#include <algorithm>
#include <cmath>

#include <glm/geometric.hpp>

#include "noise.h"
#include "palette.h"
#include "parallel.h"

namespace assetgen {

using glm::vec3;

namespace {

constexpr int kSkyWidth = 4096;
constexpr int kSkyHeight = 2048;
constexpr float kPi = 3.1415927f;

// The plane of the galaxy we are in: a faint glowing band across the sky.
const vec3 kGalacticPole = glm::normalize(vec3(0.35f, 0.85f, -0.4f));

vec3 skyDirection(float x, float y, int w, int h) {
    const float theta = 2 * kPi * x / w, phi = kPi * y / h;
    return {std::sin(phi) * std::sin(theta), std::cos(phi), std::sin(phi) * std::cos(theta)};
}

// Faint emission nebulae, dust lanes and the milky band, at quarter resolution.
Image nebulaLayer(int w, int h) {
    static const Ramp warm{{0.0f, Color(0, 0, 0, 1)},
                           {0.5f, hexColor(0x2a0c3a)},
                           {0.8f, hexColor(0x6a1f5c)},
                           {1.0f, hexColor(0xb0507a)}};
    static const Ramp cool{{0.0f, Color(0, 0, 0, 1)},
                           {0.5f, hexColor(0x06203a)},
                           {0.8f, hexColor(0x0f4f6e)},
                           {1.0f, hexColor(0x4aa3b8)}};
    Image layer(w, h);
    parallelRows(h, [&](int y) {
        for (int x = 0; x < w; ++x) {
            const vec3 d = skyDirection(x + 0.5f, y + 0.5f, w, h);
            const vec3 warp(fbm(d * 2.0f, 101, {3}), fbm(d * 2.0f, 102, {3}),
                            fbm(d * 2.0f, 103, {3}));
            const vec3 q = d * 2.2f + warp * 0.8f;
            const float band = std::exp(-std::pow(glm::dot(d, kGalacticPole) * 3.2f, 2.0f));
            const float a = smoothstep(-0.05f, 0.6f, fbm(q, 104, {6})) * (0.35f + 0.65f * band);
            const float b = smoothstep(0.0f, 0.65f, fbm(q * 1.3f + vec3(5), 105, {6}));
            const float dust = smoothstep(0.55f, 0.85f, ridged(d * 3.0f + warp, 106, {5})) * band;
            vec3 c = vec3(warm(a)) * 0.55f + vec3(cool(b)) * 0.45f;
            c += vec3(0.10f, 0.09f, 0.12f) * band * (0.6f + 0.4f * fbm(d * 8.0f, 107, {4}));
            c *= 1.0f - dust * 0.8f;
            layer.at(x, y) = Color(c * 0.9f, 1);
        }
    });
    return layer;
}

Color starColor(float temperature) {
    static const Ramp ramp{{0.0f, hexColor(0xffb27a)},
                           {0.3f, hexColor(0xffe2c0)},
                           {0.55f, hexColor(0xfff8f0)},
                           {0.8f, hexColor(0xd8e4ff)},
                           {1.0f, hexColor(0xa9c0ff)}};
    return ramp(temperature);
}

// Adds one star as a small Gaussian, widened towards the poles where the map
// stretches, plus diffraction spikes for the brightest.
void splatStar(Image& sky, vec3 dir, float brightness, Color color) {
    const int w = sky.width(), h = sky.height();
    const float theta = std::atan2(dir.x, dir.z);
    const float phi = std::acos(std::clamp(dir.y, -1.0f, 1.0f));
    const float cx = (theta < 0 ? theta + 2 * kPi : theta) / (2 * kPi) * w;
    const float cy = phi / kPi * h;
    const float stretch = 1.0f / std::max(std::sin(phi), 0.02f);
    const float sigma = 0.55f + 0.9f * std::sqrt(brightness);
    const int ry = int(sigma * 3 + 1), rx = std::min(int(sigma * 3 * stretch + 1), w / 2);
    const bool spikes = brightness > 0.9f;
    const int reach = spikes ? int(brightness * 18) : 0;
    for (int dy = -std::max(ry, reach); dy <= std::max(ry, reach); ++dy) {
        const int y = int(cy) + dy;
        if (y < 0 || y >= h)
            continue;
        const int spanX = std::max(rx, int(reach * stretch));
        for (int dx = -spanX; dx <= spanX; ++dx) {
            const int x = ((int(cx) + dx) % w + w) % w;
            const float ox = (int(cx) + dx + 0.5f - cx) / stretch, oy = y + 0.5f - cy;
            float v = brightness * std::exp(-(ox * ox + oy * oy) / (2 * sigma * sigma));
            if (spikes) {
                const float ax = std::abs(ox), ay = std::abs(oy);
                v +=
                    brightness * 0.35f * std::exp(-ay * ay * 2.0f) * std::exp(-ax / (reach * 0.3f));
                v +=
                    brightness * 0.35f * std::exp(-ax * ax * 2.0f) * std::exp(-ay / (reach * 0.3f));
            }
            if (v > 0.002f)
                sky.addLight(x, y, color, v);
        }
    }
}

void scatterStars(Image& sky) {
    Rng rng(110);
    for (int i = 0; i < 42000; ++i) {
        vec3 d = rng.onSphere();
        // Half of the stars crowd towards the galactic band.
        if (i % 2 == 0) {
            d -= kGalacticPole * glm::dot(d, kGalacticPole) * 0.85f;
            d = glm::normalize(d);
        }
        const float brightness = 0.05f + 0.95f * std::pow(rng.uniform(), 12.0f);
        splatStar(sky, d, brightness, starColor(rng.uniform()));
    }
}

} // namespace

Image makeStarBackground() {
    const Image nebula = nebulaLayer(kSkyWidth / 4, kSkyHeight / 4);
    Image sky(kSkyWidth, kSkyHeight);
    parallelRows(kSkyHeight, [&](int y) {
        for (int x = 0; x < kSkyWidth; ++x)
            sky.at(x, y) = nebula.sample((x + 0.5f) / 4, (y + 0.5f) / 4, true);
    });
    scatterStars(sky);
    return sky;
}

Image makeSun() {
    constexpr int size = 512;
    Image sun(size, size);
    static const Ramp body{{0.0f, hexColor(0xffffff)},
                           {0.6f, hexColor(0xfff3d0)},
                           {0.9f, hexColor(0xffc870)},
                           {1.0f, hexColor(0xff9a40)}};
    parallelRows(size, [&](int y) {
        for (int x = 0; x < size; ++x) {
            const float px = (x + 0.5f) / size * 2 - 1, py = (y + 0.5f) / size * 2 - 1;
            const float r = std::hypot(px, py);
            const float angle = std::atan2(py, px);
            const float discR = 0.30f;
            vec3 c(0);
            if (r < discR + 0.01f) {
                const float t = r / discR;
                const float granules = fbm(vec3(px * 40, py * 40, 0.5f), 120, {4}) * 0.08f;
                const float limb = 1.0f - 0.35f * std::pow(std::min(t, 1.0f), 3.0f);
                c = vec3(body(t)) * (limb + granules);
                c *= std::clamp((discR + 0.01f - r) * size * 0.5f, 0.0f, 1.0f);
            }
            // Corona with soft streamers, fading to pure black before the border.
            const float streamers =
                0.6f + 0.4f * fbm(vec3(std::cos(angle) * 3, std::sin(angle) * 3, r * 2), 121, {4});
            const float corona = std::exp(-(r - discR) * 9.0f) * streamers;
            c += vec3(1.0f, 0.78f, 0.45f) * corona * 0.8f;
            c += vec3(1.0f, 0.55f, 0.25f) * std::exp(-r * 4.0f) * 0.25f;
            c *= smoothstep(1.0f, 0.8f, r);
            sun.at(x, y) = Color(c, 1);
        }
    });
    return sun;
}

} // namespace assetgen
