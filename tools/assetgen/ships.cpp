#include "ships.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

using glm::vec2;
using glm::vec3;

namespace {

constexpr float kUv = 1.0f / 64.0f; // one hull-plating tile per 64 model units

// Level of detail: how finely curved parts are divided.
struct Detail {
    int hullStations;
    int hullAround;
    int nacelleStations;
    int nacelleAround;
    int podAround;
    bool greebles;        // small parts only worth drawing up close
    bool bells = true;    // exhaust bells behind the nacelles, else longer nacelles
    bool finEdges = true; // the fins' thin edges, a fraction of a pixel on a far hull
};

constexpr Detail kHigh{22, 24, 9, 16, 10, true};
constexpr Detail kLow{6, 8, 2, 6, 0, false};
constexpr Detail kFar{6, 8, 2, 4, 0, false, false, false}; // a hull a dozen pixels long

// Catmull-Rom through (x, value) keys sorted by x.
float profile(const std::vector<vec2>& keys, float x) {
    if (x <= keys.front().x)
        return keys.front().y;
    if (x >= keys.back().x)
        return keys.back().y;
    size_t i = 0;
    while (keys[i + 1].x < x)
        ++i;
    const float t = (x - keys[i].x) / (keys[i + 1].x - keys[i].x);
    const float p0 = keys[i > 0 ? i - 1 : i].y, p1 = keys[i].y, p2 = keys[i + 1].y;
    const float p3 = keys[std::min(i + 2, keys.size() - 1)].y;
    const float t2 = t * t, t3 = t2 * t;
    return 0.5f * (2 * p1 + (p2 - p0) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t2 +
                   (3 * p1 - p0 - 3 * p2 + p3) * t3);
}

// The main hull: a long armoured wedge, broad amidships, tapering to a sharp prow.
Mesh mainHull(const Detail& d) {
    static const std::vector<vec2> width{{-152, 30}, {-130, 40}, {-80, 46}, {-20, 44},
                                         {50, 34},   {120, 19},  {175, 0}};
    static const std::vector<vec2> top{{-152, 17}, {-130, 21}, {-80, 23}, {-20, 23},
                                       {50, 19},   {120, 11},  {175, 0}};
    static const std::vector<vec2> bottom{{-152, 14}, {-130, 17}, {-80, 19}, {-20, 18},
                                          {50, 14},   {120, 8},   {175, 0}};
    std::vector<Section> sections;
    for (int i = 0; i < d.hullStations; ++i) {
        // Stations bunch up towards the prow, where the curvature is.
        const float t = float(i) / (d.hullStations - 1);
        const float x =
            -152.0f + 327.0f * (1.0f - (1.0f - t) * (1.0f - t) * 0.35f - 0.65f * (1.0f - t));
        const float w = std::max(profile(width, x), 0.0f);
        const float up = std::max(profile(top, x), 0.0f);
        const float down = std::max(profile(bottom, x), 0.0f);
        const float keelDrop = -1.5f * (x / 175.0f); // the prow dips slightly
        sections.push_back({x, w, up, down, keelDrop, 0.0f, 3.2f});
    }
    sections.back() = {175.0f, 0, 0, 0, -1.5f, 0, 3.2f};
    return loft(sections, d.hullAround, kUv);
}

// Twin engine nacelles slung low on the flanks, with flared exhaust bells.
Mesh nacelle(const Detail& d) {
    const float z = 44.0f, y = -4.0f;
    std::vector<Section> s;
    for (int i = 0; i <= d.nacelleStations; ++i) {
        const float t = float(i) / d.nacelleStations;
        const float x = d.bells ? -168.0f + 100.0f * t : -180.0f + 112.0f * t;
        // Round nose cone over the last third, constant body behind it.
        const float nose =
            t < 0.62f ? 1.0f
                      : std::sqrt(std::max(0.0f, 1.0f - std::pow((t - 0.62f) / 0.38f, 2.0f)));
        const float r = 14.0f * nose;
        s.push_back({x, r, r, r, y, z, 2.0f});
    }
    Mesh m = loft(s, d.nacelleAround, kUv);
    if (d.bells)
        m.append(cylinderX(vec3(-180, y, z), 12.0f, 12.5f, 10.5f, d.nacelleAround, kUv));
    if (d.greebles) {
        // Intake ring and a fairing strut joining the nacelle to the hull.
        m.append(cylinderX(vec3(-120, y, z), 6.0f, 15.0f, 15.0f, d.nacelleAround, kUv));
        m.append(box(vec3(-150, y - 3, 24), vec3(-95, y + 3, z - 8), 0.0f, kUv));
    }
    return m;
}

// Swept wings ending in weapon pods.
Mesh wing(const Detail& d) {
    const std::vector<vec2> outline{{-40, 38}, {-112, 112}, {-138, 112}, {-138, 38}};
    Mesh m = prismY(outline, -6.0f, -1.0f, kUv);
    m = m.withoutFacesIn(2, 38.0f); // the root, inside the hull
    if (d.podAround > 0) {
        std::vector<Section> pod;
        for (float x : {-150.0f, -142.0f, -100.0f, -84.0f, -72.0f}) {
            const float r = x < -145  ? 3.5f
                            : x > -90 ? 5.0f * (1.0f - (x + 90) / 20.0f) + 0.5f
                                      : 5.5f;
            pod.push_back({x, r, r, r, -3.5f, 116.0f, 2.0f});
        }
        m.append(loft(pod, d.podAround, kUv));
    }
    return m;
}

// Command tower aft of the turret, with a wider bridge deck on top.
Mesh superstructure(const Detail& d) {
    Mesh m = box(vec3(-105, 18, -17), vec3(-45, 38, 17), 5.0f, kUv);
    m = m.withoutFacesIn(1, 18.0f); // the tower's floor, inside the hull
    m.append(box(vec3(-92, 38, -20), vec3(-58, 45, 20), 2.5f, kUv));
    if (d.greebles) {
        // The barbette the turret turns on (hidden under the turret from afar).
        m.append(cylinderY(vec3(0, 16, 0), kTurretDeckY - 16.0f, 20.0f, 24, kUv));
        m.append(box(vec3(-80, 45, -4), vec3(-70, 56, 4), 1.5f, kUv));      // sensor mast
        m.append(cylinderY(vec3(-75, 56, 0), 2.0f, 7.0f, 12, kUv));         // sensor disc
        m.append(box(vec3(40, 14, -14), vec3(90, 21, 14), 4.0f, kUv));      // forward armour plate
        m.append(box(vec3(-140, 17, -34), vec3(-110, 24, -20), 2.0f, kUv)); // aft vents, port
        m.append(box(vec3(-140, 17, 20), vec3(-110, 24, 34), 2.0f, kUv));   // aft vents, starboard
    }
    return m;
}

// Tail fin and ventral keel: the ship's profile reads at a glance from the side.
Mesh fins(const Detail& d) {
    Mesh m = prismZ({{-152, 14}, {-108, 20}, {-138, 52}, {-160, 54}}, -2.5f, 2.5f, kUv, d.finEdges);
    m.append(prismZ({{-120, -14}, {40, -12}, {0, -27}, {-105, -28}}, -3.0f, 3.0f, kUv, d.finEdges));
    return m;
}

// The central main drive filling the stern.
Mesh mainDrive(const Detail& d) {
    std::vector<Section> s{{-172, 20, 12, 12, 0, 0, 3.0f}, {-148, 24, 15, 13, 0, 0, 3.0f}};
    if (d.greebles)
        s.insert(s.begin() + 1, Section{-160, 24, 15, 13, 0, 0, 3.0f});
    const Mesh m = loft(s, d.hullAround, kUv);
    return m.withoutFacesIn(0, -148.0f); // the front cap, inside the hull
}

Mesh makeHull(const Detail& d) {
    Mesh m = mainHull(d);
    const Mesh starboardNacelle = nacelle(d);
    m.append(starboardNacelle);
    m.append(starboardNacelle.mirroredZ());
    const Mesh starboardWing = wing(d);
    m.append(starboardWing);
    m.append(starboardWing.mirroredZ());
    m.append(superstructure(d));
    m.append(fins(d));
    m.append(mainDrive(d));
    return m;
}

// The turret at a level of detail: the far one keeps the housing, the
// turntable and the barrels' outline, for turrets a few pixels across.
Mesh makeTurret(int around, bool fine) {
    const float y = kTurretDeckY;
    // The turntable, a rim a quarter of a pixel high on a far turret.
    Mesh m = fine ? cylinderY(vec3(0, y, 0), 4.0f, 17.0f, 24, kUv) : Mesh{};
    // Armoured housing, sloped at the front.
    std::vector<Section> housing{{-20, 11, 8, 1, y + 5, 0, 3.0f},
                                 {-16, 14, 12, 1, y + 5, 0, 3.0f},
                                 {6, 14, 12, 1, y + 5, 0, 3.0f},
                                 {17, 10, 6, 1, y + 5, 0, 3.0f}};
    m.append(loft(housing, around, kUv));
    // Twin barrels with mantlets and muzzle brakes.
    for (float z : {-5.5f, 5.5f}) {
        if (!fine) {
            m.append(cylinderX(vec3(12, y + 9, z), 53.0f, 2.6f, 2.4f, 4, kUv));
            continue;
        }
        m.append(cylinderX(vec3(12, y + 9, z), 8.0f, 3.6f, 3.2f, 12, kUv));
        m.append(cylinderX(vec3(20, y + 9, z), 40.0f, 2.2f, 1.8f, 12, kUv));
        m.append(cylinderX(vec3(58, y + 9, z), 7.0f, 2.8f, 2.8f, 12, kUv));
    }
    if (fine) {
        m.append(box(vec3(-14, y + 16, -8), vec3(-4, y + 19, 8), 1.0f, kUv)); // rangefinder
    }
    return m;
}

} // namespace

Mesh makeHullHigh() {
    return makeHull(kHigh);
}

Mesh makeHullLow() {
    return makeHull(kLow);
}

Mesh makeHullFar() {
    return makeHull(kFar);
}

Mesh makeTurret() {
    return makeTurret(16, true);
}

Mesh makeTurretLow() {
    return makeTurret(6, false);
}

} // namespace assetgen
