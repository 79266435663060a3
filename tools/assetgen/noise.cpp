#include "noise.h"

#include <algorithm>
#include <cmath>

#include <glm/geometric.hpp>

namespace assetgen {

uint32_t hash1(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

uint32_t hash2(int32_t x, int32_t y, uint32_t seed) {
    return hash1(static_cast<uint32_t>(x) * 0x8da6b343U ^
                 hash1(static_cast<uint32_t>(y) * 0xd8163841U ^ seed));
}

uint32_t hash3(int32_t x, int32_t y, int32_t z, uint32_t seed) {
    return hash1(static_cast<uint32_t>(z) * 0xcb1ab31fU ^ hash2(x, y, seed));
}

float hashToUnit(uint32_t h) {
    return (h >> 8) * (1.0f / 16777216.0f);
}

uint32_t Rng::next() {
    return hash1(state_ ^ hash1(++counter_ * 0x9e3779b9U));
}

float Rng::uniform() {
    return hashToUnit(next());
}

float Rng::range(float lo, float hi) {
    return lo + (hi - lo) * uniform();
}

int Rng::below(int n) {
    return static_cast<int>(next() % static_cast<uint32_t>(n));
}

glm::vec3 Rng::onSphere() {
    const float z = range(-1.0f, 1.0f);
    const float a = range(0.0f, 6.2831853f);
    const float r = std::sqrt(std::max(0.0f, 1.0f - z * z));
    return {r * std::cos(a), r * std::sin(a), z};
}

namespace {

float fade(float t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

// One of twelve cube-edge gradients, picked by the lattice hash.
float gradientDot(uint32_t h, float x, float y, float z) {
    switch (h % 12) {
    case 0:
        return x + y;
    case 1:
        return -x + y;
    case 2:
        return x - y;
    case 3:
        return -x - y;
    case 4:
        return x + z;
    case 5:
        return -x + z;
    case 6:
        return x - z;
    case 7:
        return -x - z;
    case 8:
        return y + z;
    case 9:
        return -y + z;
    case 10:
        return y - z;
    default:
        return -y - z;
    }
}

int wrap(int i, int period) {
    return period > 0 ? ((i % period) + period) % period : i;
}

} // namespace

float gradientNoise(glm::vec3 p, uint32_t seed, int period) {
    const float fx = std::floor(p.x), fy = std::floor(p.y), fz = std::floor(p.z);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy), iz = static_cast<int>(fz);
    const float x = p.x - fx, y = p.y - fy, z = p.z - fz;
    const int x0 = wrap(ix, period), x1 = wrap(ix + 1, period);
    const int y0 = wrap(iy, period), y1 = wrap(iy + 1, period);
    auto g = [&](int cx, int cy, int cz, float dx, float dy, float dz) {
        return gradientDot(hash3(cx, cy, cz, seed), dx, dy, dz);
    };
    const float u = fade(x), v = fade(y), w = fade(z);
    auto lerp = [](float a, float b, float t) { return a + (b - a) * t; };
    const float n00 = lerp(g(x0, y0, iz, x, y, z), g(x1, y0, iz, x - 1, y, z), u);
    const float n10 = lerp(g(x0, y1, iz, x, y - 1, z), g(x1, y1, iz, x - 1, y - 1, z), u);
    const float n01 = lerp(g(x0, y0, iz + 1, x, y, z - 1), g(x1, y0, iz + 1, x - 1, y, z - 1), u);
    const float n11 =
        lerp(g(x0, y1, iz + 1, x, y - 1, z - 1), g(x1, y1, iz + 1, x - 1, y - 1, z - 1), u);
    return lerp(lerp(n00, n10, v), lerp(n01, n11, v), w);
}

float fbm(glm::vec3 p, uint32_t seed, const Fbm& params) {
    float sum = 0, amplitude = 1, norm = 0;
    int period = params.period;
    for (int i = 0; i < params.octaves; ++i) {
        sum += amplitude * gradientNoise(p, seed + i * 101U, period);
        norm += amplitude;
        amplitude *= params.gain;
        p *= params.lacunarity;
        period *= 2;
    }
    return sum / norm;
}

float ridged(glm::vec3 p, uint32_t seed, const Fbm& params) {
    float sum = 0, amplitude = 1, norm = 0, weight = 1;
    int period = params.period;
    for (int i = 0; i < params.octaves; ++i) {
        float n = 1.0f - std::abs(gradientNoise(p, seed + i * 131U, period));
        n *= n * weight;
        weight = std::clamp(n * 1.5f, 0.0f, 1.0f);
        sum += amplitude * n;
        norm += amplitude;
        amplitude *= params.gain;
        p *= params.lacunarity;
        period *= 2;
    }
    return sum / norm;
}

float smoothstep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

} // namespace assetgen
