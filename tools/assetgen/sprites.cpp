#include "sprites.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <glm/common.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include "noise.h"
#include "palette.h"

namespace assetgen {

using glm::vec2;
using glm::vec3;

Image makeClaimBar() {
    constexpr int w = 512, h = 32;
    Image bar(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float v = (y + 0.5f) / h;
            // A rounded tube: bright highlight near the top, darker underside.
            float shade = 0.55f + 0.35f * std::sin(v * 3.1415927f) - 0.15f * v;
            shade += 0.35f * std::exp(-std::pow((v - 0.28f) / 0.08f, 2.0f));
            if (x % 64 < 2 && x > 2 && x < w - 3)
                shade *= 0.55f; // segment ticks
            bar.at(x, y) = Color(vec3(std::min(shade, 1.0f)), 1);
        }
    // Dark frame so the bar stands out against bright planets.
    bar.strokeRoundedRect(1, 1, w - 1, h - 1, 6, 3, hexColor(0x101418));
    return bar;
}

namespace {

constexpr int kIconSize = 128;

// A shape made of closed outlines, filled by the even-odd rule (inner outlines cut holes).
using Shape = std::vector<std::vector<vec2>>;

bool insideShape(const Shape& shape, vec2 p) {
    bool inside = false;
    for (const auto& poly : shape)
        for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
            if ((poly[i].y > p.y) != (poly[j].y > p.y) &&
                p.x < (poly[j].x - poly[i].x) * (p.y - poly[i].y) / (poly[j].y - poly[i].y) +
                          poly[i].x)
                inside = !inside;
        }
    return inside;
}

float distanceToOutline(const Shape& shape, vec2 p) {
    float best = 1e9f;
    for (const auto& poly : shape)
        for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
            const vec2 a = poly[j], ab = poly[i] - a;
            const float t = std::clamp(
                ((p - a).x * ab.x + (p - a).y * ab.y) / (ab.x * ab.x + ab.y * ab.y), 0.0f, 1.0f);
            best = std::min(best, std::hypot(p.x - a.x - t * ab.x, p.y - a.y - t * ab.y));
        }
    return best;
}

// Renders a filled shape with a dark outline for contrast and a bright inner edge.
// Supersampled 4x4 for clean edges when the icon is only a few pixels tall.
Image iconFromShape(const Shape& shape, Color fill, Color rim) {
    Image icon(kIconSize, kIconSize, Color(0, 0, 0, 0));
    const float border = 7.0f;
    for (int y = 0; y < kIconSize; ++y)
        for (int x = 0; x < kIconSize; ++x) {
            Color sum(0);
            for (int s = 0; s < 16; ++s) {
                const vec2 p(x + (s % 4 + 0.5f) / 4, y + (s / 4 + 0.5f) / 4);
                const bool in = insideShape(shape, p);
                const float d = distanceToOutline(shape, p);
                Color c(0, 0, 0, 0);
                if (in) {
                    // Brighter rim inside the edge, gradient from top to bottom.
                    const float edge = smoothstep(8.0f, 2.0f, d);
                    const Color body = mix(fill, fill * 0.7f, p.y / kIconSize);
                    c = mix(body, rim, edge);
                    c.a = 1;
                } else if (d < border) {
                    c = Color(0.02f, 0.02f, 0.04f, 0.85f * smoothstep(border, border * 0.4f, d));
                }
                sum += Color(vec3(c) * c.a, c.a);
            }
            if (sum.a > 0)
                icon.at(x, y) = Color(vec3(sum) / sum.a, sum.a / 16);
        }
    return icon;
}

} // namespace

Image makePlayerIcon() {
    // An arrowhead pointing up: the player's fleet.
    const Shape arrow{{{64, 12}, {112, 112}, {64, 86}, {16, 112}}};
    return iconFromShape(arrow, hexColor(0x2f8cff), hexColor(0xc8ecff));
}

Image makeComputerIcon() {
    // A diamond with a notched centre: the enemy.
    const Shape diamond{{{64, 10}, {116, 64}, {64, 118}, {12, 64}},
                        {{64, 46}, {82, 64}, {64, 82}, {46, 64}}};
    return iconFromShape(diamond, hexColor(0xff3a2a), hexColor(0xffd0a0));
}

Image makeLaserBolt() {
    constexpr int w = 256, h = 64;
    Image bolt(w, h, Color(0, 0, 0, 0));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float u = (x + 0.5f) / w * 2 - 1, v = (y + 0.5f) / h * 2 - 1;
            // Ends taper like a capsule; the core is thin, the glow wide.
            const float taper = smoothstep(1.0f, 0.55f, std::abs(u));
            const float width = 0.08f + 0.12f * taper;
            const float core = std::exp(-std::pow(v / (width * 0.45f), 2.0f)) * taper;
            const float glow =
                std::exp(-std::pow(v / (width * 2.4f), 2.0f)) * std::pow(taper, 1.5f);
            const float alpha = std::clamp(core + glow * 0.75f, 0.0f, 1.0f);
            const vec3 color =
                glm::mix(vec3(0.85f, 0.9f, 1.0f), vec3(1.0f), std::clamp(core * 1.3f, 0.0f, 1.0f));
            bolt.at(x, y) = Color(color, alpha);
        }
    return bolt;
}

namespace {

constexpr int kHullSize = 512;
constexpr int kCells = 8; // 64-pixel cells; panels span 1 or 2 cells

// Panel layout: each 2x2 block of cells is one big plate, two long plates or four small ones.
int panelId(int cx, int cy) {
    const int bx = cx / 2, by = cy / 2;
    switch (hash2(bx, by, 140) % 3) {
    case 0:
        return (by * kCells + bx) * 4;
    case 1:
        return (by * kCells + bx) * 4 + (cy % 2);
    default:
        return (by * kCells + bx) * 4 + (cy % 2) * 2 + (cx % 2);
    }
}

} // namespace

Image makeHullPlating() {
    Image hull(kHullSize, kHullSize);
    const int cell = kHullSize / kCells;
    for (int y = 0; y < kHullSize; ++y)
        for (int x = 0; x < kHullSize; ++x) {
            const int cx = x / cell, cy = y / cell;
            const int id = panelId(cx, cy);
            // Seams where neighbouring pixels belong to different panels (wrapping, so the texture
            // tiles).
            const int rightId = panelId(((x + 2) % kHullSize) / cell, cy);
            const int downId = panelId(cx, ((y + 2) % kHullSize) / cell);
            const int leftId = panelId(((x + kHullSize - 2) % kHullSize) / cell, cy);
            const int upId = panelId(cx, ((y + kHullSize - 2) % kHullSize) / cell);
            const bool seam = id != rightId || id != downId;
            const bool lip = id != leftId || id != upId;
            const float tone = 0.5f + 0.12f * (hashToUnit(hash1(id + 7)) - 0.5f);
            const vec3 p(x / 64.0f, y / 64.0f, 0.3f);
            const float grime = fbm(p, 141, {5, 2.0f, 0.5f, kHullSize / 64});
            const float scratches = fbm(vec3(x / 8.0f, y / 96.0f, 0.7f), 142, {3, 2.0f, 0.5f, 0});
            float v = tone + grime * 0.08f + scratches * 0.03f;
            if (seam)
                v *= 0.45f;
            else if (lip)
                v *= 1.15f;
            // Rivets along the top edge of every cell.
            const int lx = x % cell, ly = y % cell;
            if (ly == 5 && lx % 8 == 4)
                v *= 1.35f;
            if (ly == 6 && lx % 8 == 4)
                v *= 0.7f;
            const vec3 steel(0.78f, 0.82f, 0.88f);
            hull.at(x, y) = Color(steel * v * 1.25f, 1);
        }
    return hull;
}

} // namespace assetgen
