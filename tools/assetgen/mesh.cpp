#include "mesh.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numeric>

#include <glm/geometric.hpp>

namespace assetgen {

using glm::vec2;
using glm::vec3;

namespace {

constexpr float kTwoPi = 6.2831853f;

uint32_t addVertex(Mesh& mesh, vec3 position, vec3 normal, vec2 uv) {
    mesh.vertices.push_back({position, normal, uv});
    return static_cast<uint32_t>(mesh.vertices.size() - 1);
}

vec3 newellNormal(const std::vector<vec3>& points) {
    vec3 n(0);
    for (size_t i = 0; i < points.size(); ++i) {
        const vec3& a = points[i];
        const vec3& b = points[(i + 1) % points.size()];
        n += vec3((a.y - b.y) * (a.z + b.z), (a.z - b.z) * (a.x + b.x), (a.x - b.x) * (a.y + b.y));
    }
    return glm::normalize(n);
}

// A flat convex facet, fanned from its first point and wound to face `outwardHint`.
void addFacet(Mesh& mesh, std::vector<vec3> points, vec3 outwardHint, float uvScale) {
    vec3 normal = newellNormal(points);
    if (glm::dot(normal, outwardHint) < 0) {
        std::reverse(points.begin(), points.end());
        normal = -normal;
    }
    // Planar projection along the facet's dominant axis keeps texels square.
    const vec3 a = glm::abs(normal);
    const int drop = (a.x >= a.y && a.x >= a.z) ? 0 : (a.y >= a.z ? 1 : 2);
    const uint32_t first = static_cast<uint32_t>(mesh.vertices.size());
    for (const vec3& p : points) {
        const vec2 uv = drop == 0 ? vec2(p.z, p.y) : drop == 1 ? vec2(p.x, p.z) : vec2(p.x, p.y);
        addVertex(mesh, p, normal, uv * uvScale);
    }
    for (uint32_t i = 1; i + 1 < points.size(); ++i)
        mesh.triangles.push_back({first, first + i, first + i + 1});
}

vec3 sectionPoint(const Section& s, float t) {
    const float c = std::cos(t), sn = std::sin(t);
    const float e = 2.0f / s.roundness;
    const float ex = std::copysign(std::pow(std::abs(c), e), c);
    const float ey = std::copysign(std::pow(std::abs(sn), e), sn);
    return {s.x, s.centreY + (ey > 0 ? s.top * ey : s.bottom * ey), s.centreZ + s.halfWidth * ex};
}

bool isPoint(const Section& s) {
    return s.halfWidth < 1e-4f && s.top + s.bottom < 1e-4f;
}

// Closes one end of a loft with a flat cap facing `direction` (-1 or +1 along x).
void capSection(Mesh& mesh, const Section& s, int around, float direction, float uvScale) {
    std::vector<vec3> ring;
    for (int j = 0; j < around; ++j)
        ring.push_back(sectionPoint(s, kTwoPi * j / around));
    addFacet(mesh, ring, vec3(direction, 0, 0), uvScale);
}

void smoothNormals(Mesh& mesh, const std::vector<uint32_t>& shareGroup) {
    std::vector<vec3> sums(mesh.vertices.size(), vec3(0));
    for (const auto& t : mesh.triangles) {
        const vec3& a = mesh.vertices[t[0]].position;
        const vec3& b = mesh.vertices[t[1]].position;
        const vec3& c = mesh.vertices[t[2]].position;
        const vec3 n = glm::cross(b - a, c - a); // area-weighted
        for (uint32_t i : t)
            sums[shareGroup[i]] += n;
    }
    for (size_t i = 0; i < mesh.vertices.size(); ++i) {
        const vec3 n = sums[shareGroup[i]];
        mesh.vertices[i].normal = glm::length(n) > 1e-12f ? glm::normalize(n) : vec3(0, 1, 0);
    }
}

} // namespace

void Mesh::append(const Mesh& other) {
    const uint32_t base = static_cast<uint32_t>(vertices.size());
    vertices.insert(vertices.end(), other.vertices.begin(), other.vertices.end());
    for (const auto& t : other.triangles)
        triangles.push_back({t[0] + base, t[1] + base, t[2] + base});
}

Mesh Mesh::mirroredZ() const {
    Mesh m = *this;
    for (Vertex& v : m.vertices) {
        v.position.z = -v.position.z;
        v.normal.z = -v.normal.z;
    }
    for (auto& t : m.triangles)
        std::swap(t[1], t[2]);
    return m;
}

Mesh Mesh::withoutFacesIn(int axis, float at) const {
    Mesh m = *this;
    std::erase_if(m.triangles, [&](const std::array<uint32_t, 3>& t) {
        return std::all_of(t.begin(), t.end(),
                           [&](uint32_t i) { return vertices[i].position[axis] == at; });
    });
    return m;
}

Mesh loft(const std::vector<Section>& sections, int around, float uvScale) {
    Mesh mesh;
    std::vector<uint32_t> ringStart;
    std::vector<uint32_t> shareGroup; // the seam vertex shares its normal with vertex 0 of the ring
    for (const Section& s : sections) {
        ringStart.push_back(static_cast<uint32_t>(mesh.vertices.size()));
        const uint32_t first = ringStart.back();
        if (isPoint(s)) {
            addVertex(mesh, vec3(s.x, s.centreY, s.centreZ), vec3(0), vec2(s.x * uvScale, 0.5f));
            shareGroup.push_back(first);
            continue;
        }
        float arc = 0;
        vec3 previous = sectionPoint(s, 0);
        for (int j = 0; j <= around; ++j) {
            const vec3 p = sectionPoint(s, kTwoPi * j / around);
            arc += glm::length(p - previous);
            previous = p;
            addVertex(mesh, p, vec3(0), vec2(s.x * uvScale, arc * uvScale));
            shareGroup.push_back(j == around ? first : first + j);
        }
    }
    for (size_t i = 0; i + 1 < sections.size(); ++i) {
        const bool pointA = isPoint(sections[i]), pointB = isPoint(sections[i + 1]);
        for (int j = 0; j < around; ++j) {
            const uint32_t a = ringStart[i] + (pointA ? 0 : j),
                           b = ringStart[i] + (pointA ? 0 : j + 1);
            const uint32_t d = ringStart[i + 1] + (pointB ? 0 : j),
                           c = ringStart[i + 1] + (pointB ? 0 : j + 1);
            if (!pointA)
                mesh.triangles.push_back({a, c, b});
            if (!pointB)
                mesh.triangles.push_back({a, d, c});
        }
    }
    smoothNormals(mesh, shareGroup);
    if (!isPoint(sections.front()))
        capSection(mesh, sections.front(), around, -1.0f, uvScale);
    if (!isPoint(sections.back()))
        capSection(mesh, sections.back(), around, 1.0f, uvScale);
    return mesh;
}

Mesh cylinderX(vec3 start, float length, float radiusStart, float radiusEnd, int around,
               float uvScale) {
    const Section a{start.x, radiusStart, radiusStart, radiusStart, start.y, start.z, 2.0f};
    const Section b{start.x + length, radiusEnd, radiusEnd, radiusEnd, start.y, start.z, 2.0f};
    return loft({a, b}, around, uvScale);
}

Mesh cylinderY(vec3 base, float height, float radius, int around, float uvScale) {
    Mesh mesh;
    const uint32_t first = static_cast<uint32_t>(mesh.vertices.size());
    for (int j = 0; j <= around; ++j) {
        const float t = kTwoPi * j / around;
        const vec3 radial(std::cos(t), 0, std::sin(t));
        const float u = t * radius * uvScale;
        addVertex(mesh, base + radial * radius, radial, vec2(u, 0));
        addVertex(mesh, base + radial * radius + vec3(0, height, 0), radial,
                  vec2(u, height * uvScale));
    }
    for (int j = 0; j < around; ++j) {
        const uint32_t a = first + 2 * j, b = a + 1, c = a + 3, d = a + 2;
        mesh.triangles.push_back({a, b, c});
        mesh.triangles.push_back({a, c, d});
    }
    // The side faces outward only if the ring runs clockwise seen from above; check once.
    const Vertex& v0 = mesh.vertices[mesh.triangles[0][0]];
    const vec3 n = glm::cross(mesh.vertices[mesh.triangles[0][1]].position - v0.position,
                              mesh.vertices[mesh.triangles[0][2]].position - v0.position);
    if (glm::dot(n, v0.normal) < 0)
        for (auto& tri : mesh.triangles)
            std::swap(tri[1], tri[2]);
    std::vector<vec3> bottom, top;
    for (int j = 0; j < around; ++j) {
        const float t = kTwoPi * j / around;
        bottom.push_back(base + vec3(std::cos(t), 0, std::sin(t)) * radius);
        top.push_back(bottom.back() + vec3(0, height, 0));
    }
    addFacet(mesh, bottom, vec3(0, -1, 0), uvScale);
    addFacet(mesh, top, vec3(0, 1, 0), uvScale);
    return mesh;
}

namespace {

// Extrudes a convex outline given in two coordinates along the remaining axis.
template <typename Lift>
Mesh extrude(const std::vector<vec2>& outline, float lo, float hi, vec3 axis, Lift lift,
             float uvScale, bool sides) {
    Mesh mesh;
    std::vector<vec3> low, high;
    for (const vec2& p : outline) {
        low.push_back(lift(p, lo));
        high.push_back(lift(p, hi));
    }
    addFacet(mesh, low, -axis, uvScale);
    addFacet(mesh, high, axis, uvScale);
    if (!sides)
        return mesh;
    vec3 centre = std::accumulate(low.begin(), low.end(), vec3(0)) / float(low.size());
    centre += axis * ((hi - lo) * 0.5f);
    for (size_t i = 0; i < outline.size(); ++i) {
        const size_t k = (i + 1) % outline.size();
        const std::vector<vec3> side{low[i], low[k], high[k], high[i]};
        const vec3 mid = (low[i] + low[k] + high[k] + high[i]) * 0.25f;
        addFacet(mesh, side, mid - centre, uvScale);
    }
    return mesh;
}

} // namespace

Mesh prismY(const std::vector<vec2>& outlineXZ, float y0, float y1, float uvScale, bool sides) {
    return extrude(
        outlineXZ, y0, y1, vec3(0, 1, 0), [](vec2 p, float y) { return vec3(p.x, y, p.y); },
        uvScale, sides);
}

Mesh prismZ(const std::vector<vec2>& outlineXY, float z0, float z1, float uvScale, bool sides) {
    return extrude(
        outlineXY, z0, z1, vec3(0, 0, 1), [](vec2 p, float z) { return vec3(p.x, p.y, z); },
        uvScale, sides);
}

Mesh box(vec3 lo, vec3 hi, float topInset, float uvScale) {
    const float i = topInset;
    const vec3 b[4] = {
        {lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, lo.y, hi.z}, {lo.x, lo.y, hi.z}};
    const vec3 t[4] = {{lo.x + i, hi.y, lo.z + i},
                       {hi.x - i, hi.y, lo.z + i},
                       {hi.x - i, hi.y, hi.z - i},
                       {lo.x + i, hi.y, hi.z - i}};
    const vec3 centre = (lo + hi) * 0.5f;
    Mesh mesh;
    addFacet(mesh, {b[0], b[1], b[2], b[3]}, vec3(0, -1, 0), uvScale);
    addFacet(mesh, {t[0], t[1], t[2], t[3]}, vec3(0, 1, 0), uvScale);
    for (int k = 0; k < 4; ++k) {
        const int n = (k + 1) % 4;
        const vec3 mid = (b[k] + b[n] + t[n] + t[k]) * 0.25f;
        addFacet(mesh, {b[k], b[n], t[n], t[k]}, mid - centre, uvScale);
    }
    return mesh;
}

namespace {

// Fixed-point text without "-0.0000", so files diff cleanly.
void putNumber(std::FILE* f, float value) {
    if (std::abs(value) < 0.00005f)
        value = 0.0f;
    std::fprintf(f, " %.4f", static_cast<double>(value));
}

} // namespace

bool writeObj(const Mesh& mesh, const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (!f)
        return false;
    const std::string name = std::filesystem::path(path).stem().string();
    std::fprintf(f, "# Vorlaxis ship model: %zu vertices, %zu triangles\n", mesh.vertices.size(),
                 mesh.triangles.size());
    std::fprintf(f, "o %s\nusemtl hull\n", name.c_str());
    for (const Vertex& v : mesh.vertices) {
        std::fputs("v", f);
        for (int i = 0; i < 3; ++i)
            putNumber(f, v.position[i]);
        std::fputs("\n", f);
    }
    for (const Vertex& v : mesh.vertices) {
        std::fputs("vt", f);
        putNumber(f, v.uv.x);
        putNumber(f, v.uv.y);
        std::fputs("\n", f);
    }
    for (const Vertex& v : mesh.vertices) {
        std::fputs("vn", f);
        for (int i = 0; i < 3; ++i)
            putNumber(f, v.normal[i]);
        std::fputs("\n", f);
    }
    for (const auto& t : mesh.triangles)
        std::fprintf(f, "f %u/%u/%u %u/%u/%u %u/%u/%u\n", t[0] + 1, t[0] + 1, t[0] + 1, t[1] + 1,
                     t[1] + 1, t[1] + 1, t[2] + 1, t[2] + 1, t[2] + 1);
    return std::fclose(f) == 0;
}

} // namespace assetgen
