#include "planets.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <vector>

#include <glm/geometric.hpp>

#include "noise.h"
#include "palette.h"
#include "parallel.h"

namespace assetgen {

namespace {

using glm::vec3;

// Albedo plus a height used for baked relief shading.
struct Surface {
    Color color;
    float height = 0;
};

// Direction on the unit sphere for the centre of texel (x, y), matching the
// game's sphere: longitude from +Z towards +X, north pole at the top row.
vec3 texelDirection(int x, int y, int w, int h) {
    const float theta = 6.2831853f * (x + 0.5f) / w;
    const float phi = 3.1415927f * (y + 0.5f) / h;
    return {std::sin(phi) * std::sin(theta), std::cos(phi), std::sin(phi) * std::cos(theta)};
}

// ---- kind 1: banded gas giant ----

Surface gasGiant(vec3 d) {
    static const Ramp bands{{0.00f, hexColor(0x6b3a22)}, {0.18f, hexColor(0xa8683a)},
                            {0.35f, hexColor(0xd9b483)}, {0.50f, hexColor(0xf1e2c2)},
                            {0.62f, hexColor(0xc98b55)}, {0.78f, hexColor(0x8e4f2e)},
                            {1.00f, hexColor(0xe8d2a8)}};
    // Turbulence is strong along latitude and weak across it, like jet streams.
    const vec3 warp(fbm(d * 2.5f, 11) * 0.6f, fbm(d * 3.0f, 12), fbm(d * 2.5f, 13) * 0.6f);
    const float lat =
        d.y + 0.06f * warp.y + 0.015f * fbm(vec3(d.x * 4, d.y * 40, d.z * 4), 14, {4});
    float band = 0.5f + 0.30f * std::sin(lat * 23.0f) + 0.15f * std::sin(lat * 51.0f + 1.3f) +
                 0.08f * std::sin(lat * 97.0f + 0.4f);
    band += 0.10f * fbm(vec3(d.x * 3 + warp.x, d.y * 18, d.z * 3 + warp.z), 15, {5});
    Color c = bands(std::clamp(band, 0.0f, 1.0f));

    // A great storm oval in the southern belt with a pale core and dark rim.
    const vec3 stormCentre = glm::normalize(vec3(0.75f, -0.36f, 0.55f));
    const vec3 offset = d - stormCentre;
    const float oval = std::sqrt(offset.x * offset.x * 0.35f + offset.y * offset.y * 3.2f +
                                 offset.z * offset.z * 0.35f);
    const float swirl = fbm(d * 14.0f + vec3(oval * 6), 16, {3});
    if (oval < 0.34f) {
        const float o = oval + swirl * 0.03f;
        const float body = smoothstep(0.30f, 0.22f, o);
        const float rim = std::exp(-std::pow((o - 0.24f) / 0.035f, 2.0f));
        const Color core =
            mix(hexColor(0xc8552a), hexColor(0xf0b080), smoothstep(0.2f, 0.0f, o) * (0.6f + swirl));
        c = mix(c, core, body * 0.9f);
        c = mix(c, hexColor(0x6b2a14), rim * 0.6f);
    }
    // A string of small white storms riding one belt.
    for (int i = 0; i < 7; ++i) {
        const float lon = 0.9f * i + 0.4f;
        const vec3 centre =
            glm::normalize(vec3(std::sin(lon) * 0.88f, 0.47f, std::cos(lon) * 0.88f));
        const vec3 off = d - centre;
        const float r = std::sqrt(off.x * off.x + off.y * off.y * 4.0f + off.z * off.z) / 0.045f;
        c = mix(c, hexColor(0xfaf0e0), smoothstep(1.0f, 0.5f, r) * 0.85f);
    }
    // Polar regions fade into a muted haze.
    c = mix(c, hexColor(0x7d6a58), smoothstep(0.80f, 0.97f, std::abs(d.y)) * 0.7f);
    return {c, 0};
}

// ---- kind 2: ice world ----

// Fissures in the ice shell run along great-circle arcs, like cracks in an eggshell.
struct Fissure {
    vec3 pole;   // normal of the great circle
    vec3 centre; // middle of the arc
    float cosHalfLength;
    float width;
};

const std::vector<Fissure>& fissures() {
    static const std::vector<Fissure> list = [] {
        std::vector<Fissure> result;
        Rng rng(26);
        for (int i = 0; i < 34; ++i) {
            const vec3 pole = rng.onSphere();
            vec3 centre = glm::cross(pole, rng.onSphere());
            centre = glm::normalize(centre);
            result.push_back(
                {pole, centre, std::cos(rng.range(0.4f, 1.6f)), rng.range(0.003f, 0.009f)});
        }
        return result;
    }();
    return list;
}

Surface iceWorld(vec3 d) {
    static const Ramp ice{{0.0f, hexColor(0x5f7f96)},
                          {0.35f, hexColor(0xa9c6d8)},
                          {0.6f, hexColor(0xdfeef5)},
                          {1.0f, hexColor(0xffffff)}};
    const float base = fbm(d * 2.2f, 21, {6});
    const vec3 wobble = d + vec3(fbm(d * 9.0f, 22, {3})) * 0.004f;
    float lineae = 0, stain = 0;
    for (const Fissure& f : fissures()) {
        const float along = glm::dot(wobble, f.centre);
        if (along < f.cosHalfLength)
            continue;
        const float fade = smoothstep(f.cosHalfLength, f.cosHalfLength + 0.05f, along);
        const float off = std::abs(glm::dot(wobble, f.pole));
        lineae = std::max(lineae, fade * smoothstep(f.width, f.width * 0.3f, off));
        stain = std::max(stain, fade * smoothstep(f.width * 5.0f, f.width, off) * 0.3f);
    }
    const float rock = smoothstep(0.45f, 0.6f, fbm(d * 3.5f, 24, {5}));
    Color c = ice(0.55f + base * 0.6f);
    c = mix(c, hexColor(0xb08a70), stain);
    c = mix(c, hexColor(0x8a4a32), lineae * 0.75f);
    c = mix(c, hexColor(0x7d7f86), rock * 0.6f); // wind-scoured rock
    return {c, base * 0.4f + rock * 0.3f + lineae * 0.1f};
}

// ---- kind 3: cratered rock ----

struct Crater {
    vec3 centre;
    float radius; // angular, radians
    float depth;
    bool fresh; // bright ejecta rays
};

const std::vector<Crater>& craterField() {
    static const std::vector<Crater> craters = [] {
        std::vector<Crater> list;
        Rng rng(31);
        for (int i = 0; i < 420; ++i) {
            const float size = std::pow(rng.uniform(), 4.0f);
            list.push_back({rng.onSphere(), 0.012f + 0.2f * size, 0.4f + rng.uniform() * 0.6f,
                            rng.uniform() < 0.05f});
        }
        return list;
    }();
    return craters;
}

Surface crateredRock(vec3 d) {
    static const Ramp rock{{0.0f, hexColor(0x3b3631)},
                           {0.45f, hexColor(0x7a7166)},
                           {0.75f, hexColor(0xa59c8e)},
                           {1.0f, hexColor(0xcfc7b8)}};
    float height = fbm(d * 3.0f, 31, {6}) * 0.35f;
    float brightness = 0.5f + fbm(d * 6.0f, 32, {5}) * 0.25f;
    // Dark lava plains ("seas").
    const float mare = smoothstep(0.15f, 0.35f, fbm(d * 1.4f, 33, {4}));
    brightness -= mare * 0.35f;
    for (const Crater& k : craterField()) {
        const float cosAngle = glm::dot(d, k.centre);
        if (cosAngle < std::cos(k.radius * (k.fresh ? 4.0f : 1.8f)))
            continue;
        const float r = std::acos(std::min(cosAngle, 1.0f)) / k.radius;
        if (r < 1.0f) {
            height -= k.depth * k.radius * 1.6f * smoothstep(1.0f, 0.55f, r); // flat floor
            brightness -= 0.08f * k.depth;
        }
        const float rim = std::exp(-(r - 1.0f) * (r - 1.0f) / 0.015f);
        height += rim * k.radius * 0.35f * k.depth;
        brightness += rim * 0.05f;
        if (k.fresh && r > 1.0f) {
            // Streaks of bright ejecta radiating from young craters.
            const vec3 tangent = glm::normalize(d - k.centre * cosAngle + vec3(1e-6f));
            const float spokes = gradientNoise(tangent * 9.0f, 34, 0) * 0.5f + 0.5f;
            brightness += std::pow(spokes, 4.0f) * 0.5f * std::max(0.0f, 1.0f - (r - 1.0f) / 3.0f);
        }
    }
    return {rock(std::clamp(brightness, 0.0f, 1.0f)), height};
}

// ---- kind 4: inhabited ocean world (also read by the night map) ----

float continentHeight(vec3 d) {
    const vec3 warp(fbm(d * 1.5f, 41, {3}), fbm(d * 1.5f, 42, {3}), fbm(d * 1.5f, 43, {3}));
    return fbm(d * 1.6f + warp * 0.6f, 44, {7, 2.05f, 0.52f}) + -0.02f; // > 0 is land
}

Surface oceanWorld(vec3 d) {
    static const Ramp ocean{{-0.6f, hexColor(0x071a3c)},
                            {-0.15f, hexColor(0x0c2f66)},
                            {-0.03f, hexColor(0x1d5f93)},
                            {0.0f, hexColor(0x3b8fb0)}};
    static const Ramp land{{0.0f, hexColor(0xc2b280)},  {0.02f, hexColor(0x5b7f3a)},
                           {0.12f, hexColor(0x3f6a2c)}, {0.22f, hexColor(0x7a6a45)},
                           {0.34f, hexColor(0x6e665c)}, {0.42f, hexColor(0xe8e8ec)}};
    const float h = continentHeight(d);
    const float latitude = std::abs(d.y);
    Color c;
    if (h < 0) {
        c = ocean(h);
    } else {
        const float mountains = ridged(d * 6.0f, 45, {5}) * smoothstep(0.08f, 0.3f, h);
        const float elevation = h + mountains * 0.12f;
        c = land(elevation);
        // Dry belts around the tropics turn into desert.
        const float dryness =
            smoothstep(0.1f, 0.45f, fbm(d * 2.3f, 46, {4}) + 0.25f - std::abs(latitude - 0.3f));
        c = mix(c, hexColor(0xc7a463), dryness * smoothstep(0.3f, 0.0f, elevation - 0.15f) * 0.85f);
    }
    // Polar ice caps with ragged edges.
    const float ice = smoothstep(0.92f, 0.95f, latitude + fbm(d * 5.0f, 47, {4}) * 0.04f);
    c = mix(c, hexColor(0xf2f7fb), ice);
    // Weather systems: swirled cloud bands, kept thin so the coastlines show.
    const vec3 swirl(fbm(d * 2.0f, 48, {3}), fbm(d * 2.0f, 49, {3}), fbm(d * 2.0f, 50, {3}));
    const float cloud = fbm(vec3(d.x * 3, d.y * 6, d.z * 3) + swirl * 1.4f, 51, {6});
    c = mix(c, Color(1), smoothstep(0.18f, 0.5f, cloud) * 0.8f);
    return {c, std::max(h, 0.0f) * 0.8f};
}

// ---- kind 5: lava world ----

Surface lavaWorld(vec3 d) {
    static const Ramp glow{{0.0f, hexColor(0x231815)},
                           {0.55f, hexColor(0x2b1a14)},
                           {0.75f, hexColor(0x8f1d05)},
                           {0.88f, hexColor(0xff5a0a)},
                           {1.0f, hexColor(0xffd24a)}};
    const float crust = fbm(d * 3.0f, 61, {6});
    const float cracks = ridged(d * 4.0f + vec3(crust * 0.4f), 62, {5, 2.0f, 0.5f});
    const float lakes = smoothstep(0.2f, 0.4f, fbm(d * 1.8f, 63, {5}));
    float heat = std::max(std::pow(cracks, 2.2f) * 1.05f, lakes * 0.95f + crust * 0.05f);
    heat = std::clamp(heat, 0.0f, 1.0f);
    Color c = glow(heat);
    c = mix(c, hexColor(0x3a302c),
            smoothstep(0.2f, 0.5f, crust) * (1 - heat) * 0.6f); // ash plateaus
    return {c, crust * 0.5f - heat * 0.3f};
}

// ---- kind 6: desert world ----

Surface desertWorld(vec3 d) {
    static const Ramp sand{{0.0f, hexColor(0x5e2d17)},
                           {0.3f, hexColor(0x9a4c24)},
                           {0.55f, hexColor(0xc8783c)},
                           {0.8f, hexColor(0xe0a96a)},
                           {1.0f, hexColor(0xf0d2a0)}};
    const float plateaus = fbm(d * 2.0f, 71, {6});
    // Dune fields: long ripples bent by the wind.
    const float dunes = ridged(vec3(d.x * 40, d.y * 12, d.z * 40), 72, {3});
    const float duneMask = smoothstep(0.0f, 0.25f, fbm(d * 2.5f, 73, {4}));
    const float rift = 1.0f - std::abs(gradientNoise(d * 2.0f + vec3(plateaus * 0.3f), 74));
    const float canyons =
        smoothstep(0.988f, 0.998f, rift) * smoothstep(0.0f, 0.2f, fbm(d * 1.2f, 77, {3}));
    const float basalt = smoothstep(0.1f, 0.3f, fbm(d * 1.7f + vec3(3), 76, {5}));
    float t = 0.6f + plateaus * 0.55f + dunes * duneMask * 0.1f - canyons * 0.4f - basalt * 0.3f;
    Color c = sand(std::clamp(t, 0.0f, 1.0f));
    const float cap = smoothstep(0.965f, 0.98f, std::abs(d.y) + fbm(d * 6.0f, 75, {3}) * 0.02f);
    c = mix(c, hexColor(0xf5efe6), cap);
    return {c, plateaus * 0.6f + dunes * duneMask * 0.05f - canyons * 0.3f};
}

Surface surfaceOf(int kind, vec3 d) {
    switch (kind) {
    case 1:
        return gasGiant(d);
    case 2:
        return iceWorld(d);
    case 3:
        return crateredRock(d);
    case 4:
        return oceanWorld(d);
    case 5:
        return lavaWorld(d);
    default:
        return desertWorld(d);
    }
}

float reliefStrength(int kind) {
    switch (kind) {
    case 1:
        return 0.0f;
    case 3:
        return 6.0f;
    case 4:
        return 2.5f;
    default:
        return 4.0f;
    }
}

// Bakes gentle light-from-the-north-west shading from the height field, so
// mountains and crater rims read even on the lit side.
void applyRelief(Image& image, const std::vector<float>& heights, float strength) {
    const int w = image.width(), h = image.height();
    parallelRows(h, [&](int y) {
        const float phi = 3.1415927f * (y + 0.5f) / h;
        const float stretch = 1.0f / std::max(std::sin(phi), 0.08f);
        // Texture-space light turns around the poles, so relief fades out there.
        const float fade = smoothstep(0.05f, 0.3f, std::sin(phi));
        const int up = std::max(y - 1, 0), down = std::min(y + 1, h - 1);
        for (int x = 0; x < w; ++x) {
            const int left = (x + w - 1) % w, right = (x + 1) % w;
            const float gx = (heights[y * w + right] - heights[y * w + left]) * stretch;
            const float gy = heights[down * w + x] - heights[up * w + x];
            const float shade =
                std::clamp(1.0f + fade * strength * (gx + gy) * 0.5f * (w / 1024.0f), 0.55f, 1.45f);
            Color& c = image.at(x, y);
            c = Color(glm::vec3(c) * shade, c.a);
        }
    });
}

} // namespace

Image makePlanet(int kind) {
    Image image(kPlanetWidth, kPlanetHeight);
    std::vector<float> heights(static_cast<size_t>(kPlanetWidth) * kPlanetHeight);
    parallelRows(kPlanetHeight, [&](int y) {
        for (int x = 0; x < kPlanetWidth; ++x) {
            const Surface s = surfaceOf(kind, texelDirection(x, y, kPlanetWidth, kPlanetHeight));
            image.at(x, y) = s.color;
            heights[y * kPlanetWidth + x] = s.height;
        }
    });
    if (reliefStrength(kind) > 0)
        applyRelief(image, heights, reliefStrength(kind));
    return image;
}

Image makePlanetNight() {
    Image image(kPlanetWidth, kPlanetHeight);
    parallelRows(kPlanetHeight, [&](int y) {
        for (int x = 0; x < kPlanetWidth; ++x) {
            const vec3 d = texelDirection(x, y, kPlanetWidth, kPlanetHeight);
            const float h = continentHeight(d);
            if (h < 0 || std::abs(d.y) > 0.9f)
                continue;
            // Settlements crowd the coasts and thin out inland and up the mountains.
            const float coast = std::exp(-h * 28.0f);
            const float region = smoothstep(-0.1f, 0.35f, fbm(d * 4.0f, 81, {4}));
            const float clusters = std::pow(std::max(0.0f, fbm(d * 40.0f, 82, {3}) + 0.3f), 2.0f);
            const float sparkle = hashToUnit(hash2(x, y, 83));
            float light = coast * (0.35f + region) * clusters * 3.2f;
            if (sparkle > 0.985f - region * 0.02f)
                light += 0.35f * region; // isolated towns
            light = std::clamp(light, 0.0f, 1.0f);
            image.at(x, y) =
                Color(1.0f * light, 0.78f * light, 0.45f * light * light + 0.05f * light, 1);
        }
    });
    return image;
}

} // namespace assetgen

namespace assetgen {

const Image& planetTexture(int kind) {
    static std::mutex guard;
    static std::map<int, Image> cache;
    std::lock_guard<std::mutex> lock(guard);
    auto it = cache.find(kind);
    if (it == cache.end())
        it = cache.emplace(kind, makePlanet(kind)).first;
    return it->second;
}

} // namespace assetgen
