#include "render.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include <glm/geometric.hpp>
#include <glm/trigonometric.hpp>

#include "noise.h"
#include "palette.h"

namespace assetgen {

using glm::vec2;
using glm::vec3;

glm::mat3 viewRotation(float yawDeg, float pitchDeg) {
    const float y = glm::radians(yawDeg), p = glm::radians(pitchDeg);
    const glm::mat3 yaw(std::cos(y), 0, -std::sin(y), 0, 1, 0, std::sin(y), 0, std::cos(y));
    const glm::mat3 pitch(1, 0, 0, 0, std::cos(p), std::sin(p), 0, -std::sin(p), std::cos(p));
    return pitch * yaw;
}

namespace {

struct Raster {
    int width, height;
    std::vector<Color> color;
    std::vector<float> depth;
    Raster(int w, int h)
        : width(w), height(h), color(size_t(w) * h, Color(0)),
          depth(size_t(w) * h, -std::numeric_limits<float>::infinity()) {}
};

struct ScreenVertex {
    vec2 p;
    float z;
    vec3 n;
    vec2 uv;
};

Color wrapSample(const Image& texture, vec2 uv) {
    const float u = uv.x - std::floor(uv.x), v = uv.y - std::floor(uv.y);
    const float x = u * texture.width();
    const float y = v * texture.height();
    return texture.sample(x, std::clamp(y, 0.5f, texture.height() - 0.5f), true);
}

Color shade(const MeshView& view, vec3 n, vec2 uv) {
    n = glm::normalize(n);
    const vec3 l = glm::normalize(view.light);
    const float diffuse = std::max(0.0f, glm::dot(n, l));
    const vec3 h = glm::normalize(l + vec3(0, 0, 1));
    const float specular = std::pow(std::max(0.0f, glm::dot(n, h)), 24.0f) * 0.35f;
    const float rim = std::pow(1.0f - std::abs(n.z), 3.0f) * 0.15f;
    Color albedo = view.tint;
    if (view.texture)
        albedo *= wrapSample(*view.texture, uv) * 1.2f;
    const float light = 0.22f + 0.78f * diffuse;
    return Color(vec3(albedo) * light + vec3(specular + rim), 1.0f);
}

void rasterTriangle(Raster& r, const MeshView& view, const ScreenVertex& a, const ScreenVertex& b,
                    const ScreenVertex& c) {
    const float area = (b.p.x - a.p.x) * (c.p.y - a.p.y) - (b.p.y - a.p.y) * (c.p.x - a.p.x);
    if (std::abs(area) < 1e-8f)
        return;
    const int x0 = std::max(0, int(std::floor(std::min({a.p.x, b.p.x, c.p.x}))));
    const int x1 = std::min(r.width - 1, int(std::ceil(std::max({a.p.x, b.p.x, c.p.x}))));
    const int y0 = std::max(0, int(std::floor(std::min({a.p.y, b.p.y, c.p.y}))));
    const int y1 = std::min(r.height - 1, int(std::ceil(std::max({a.p.y, b.p.y, c.p.y}))));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const vec2 p(x + 0.5f, y + 0.5f);
            const float w0 = ((b.p.x - p.x) * (c.p.y - p.y) - (b.p.y - p.y) * (c.p.x - p.x)) / area;
            const float w1 = ((c.p.x - p.x) * (a.p.y - p.y) - (c.p.y - p.y) * (a.p.x - p.x)) / area;
            const float w2 = 1.0f - w0 - w1;
            if (w0 < 0 || w1 < 0 || w2 < 0)
                continue;
            const float z = a.z * w0 + b.z * w1 + c.z * w2;
            const size_t i = size_t(y) * r.width + x;
            if (z <= r.depth[i])
                continue;
            r.depth[i] = z;
            r.color[i] =
                shade(view, a.n * w0 + b.n * w1 + c.n * w2, a.uv * w0 + b.uv * w1 + c.uv * w2);
        }
}

// Marks silhouette and crease pixels: an empty neighbour or a jump in depth.
void traceOutline(Raster& r, Color outline, float depthJump) {
    if (outline.a <= 0)
        return;
    std::vector<char> edge(r.color.size(), 0);
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x) {
            const size_t i = size_t(y) * r.width + x;
            if (r.color[i].a == 0)
                continue;
            for (auto [dx, dy] : {std::pair{2, 0}, {-2, 0}, {0, 2}, {0, -2}}) {
                const int nx = x + dx, ny = y + dy;
                const bool outside = nx < 0 || ny < 0 || nx >= r.width || ny >= r.height;
                const size_t j = outside ? i : size_t(ny) * r.width + nx;
                if (outside || r.color[j].a == 0 || r.depth[i] - r.depth[j] > depthJump)
                    edge[i] = 1;
            }
        }
    for (size_t i = 0; i < edge.size(); ++i)
        if (edge[i])
            r.color[i] = mix(r.color[i], Color(vec3(outline), 1.0f), outline.a);
}

} // namespace

void drawMesh(Image& target, const Mesh& mesh, const MeshView& view) {
    std::vector<ScreenVertex> screen;
    vec2 lo(1e9f), hi(-1e9f);
    for (const Vertex& v : mesh.vertices) {
        const vec3 p = view.rotation * v.position;
        const vec2 s = view.centre + vec2(p.x, -p.y) * view.scale;
        screen.push_back({s, p.z, view.rotation * v.normal, v.uv});
        lo = glm::min(lo, s);
        hi = glm::max(hi, s);
    }
    const int ox = std::max(0, int(lo.x) - 2), oy = std::max(0, int(lo.y) - 2);
    const int w = std::min(target.width(), int(hi.x) + 3) - ox,
              h = std::min(target.height(), int(hi.y) + 3) - oy;
    if (w <= 0 || h <= 0)
        return;
    Raster r(w * 2, h * 2);
    for (ScreenVertex& s : screen)
        s.p = (s.p - vec2(ox, oy)) * 2.0f;
    for (const auto& t : mesh.triangles)
        rasterTriangle(r, view, screen[t[0]], screen[t[1]], screen[t[2]]);
    traceOutline(r, view.outline, 6.0f);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Color sum(0);
            for (int k = 0; k < 4; ++k) {
                const Color& c = r.color[size_t(y * 2 + k / 2) * r.width + x * 2 + k % 2];
                sum += Color(vec3(c) * c.a, c.a);
            }
            if (sum.a > 0)
                target.blendOver(ox + x, oy + y, Color(vec3(sum) / sum.a, 1.0f), sum.a / 4.0f);
        }
}

void drawPlanet(Image& target, const Image& surface, const PlanetView& view) {
    const vec3 light = glm::normalize(view.light);
    const float tilt = glm::radians(view.tiltDeg), spin = glm::radians(view.spinDeg);
    const float haloRadius = view.radius * 1.25f;
    const int x0 = std::max(0, int(view.centre.x - haloRadius)),
              x1 = std::min(target.width(), int(view.centre.x + haloRadius) + 1);
    const int y0 = std::max(0, int(view.centre.y - haloRadius)),
              y1 = std::min(target.height(), int(view.centre.y + haloRadius) + 1);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const vec2 q = (vec2(x + 0.5f, y + 0.5f) - view.centre) / view.radius;
            const float rr = glm::dot(q, q);
            const float dist = std::sqrt(rr);
            // Atmosphere halo outside the disc, brightest on the sunlit limb.
            const vec3 limb = glm::normalize(vec3(q.x, -q.y, 0.0001f));
            const float sunSide = std::clamp(glm::dot(limb, light) * 0.7f + 0.4f, 0.0f, 1.0f);
            if (dist > 1.0f) {
                const float halo = std::exp(-(dist - 1.0f) * 18.0f) * sunSide;
                target.addLight(x, y, view.atmosphere, halo * 0.9f);
            }
            const float coverage = std::clamp((1.0f - dist) * view.radius + 0.5f, 0.0f, 1.0f);
            if (coverage <= 0)
                continue;
            const vec3 n(q.x, -q.y, std::sqrt(std::max(0.0f, 1.0f - rr)));
            // Into the planet's own frame: undo the axial tilt, then the spin.
            const vec3 t(n.x * std::cos(tilt) + n.y * std::sin(tilt),
                         -n.x * std::sin(tilt) + n.y * std::cos(tilt), n.z);
            const vec3 d(t.x * std::cos(spin) + t.z * std::sin(spin), t.y,
                         -t.x * std::sin(spin) + t.z * std::cos(spin));
            float u = std::atan2(d.x, d.z) / 6.2831853f;
            u -= std::floor(u);
            const float v = std::acos(std::clamp(d.y, -1.0f, 1.0f)) / 3.1415927f;
            const Color albedo = surface.sample(u * surface.width(), v * surface.height(), true);
            const float lambert = glm::dot(n, light);
            const float day = smoothstep(-0.08f, 0.25f, lambert);
            vec3 c = vec3(albedo) * (0.03f + 1.05f * std::max(lambert, 0.0f) * day + 0.02f);
            if (view.night) {
                const Color lights =
                    view.night->sample(u * view.night->width(), v * view.night->height(), true);
                c += vec3(lights) * (1.0f - smoothstep(-0.15f, 0.1f, lambert)) * 1.3f;
            }
            const float rim = std::pow(1.0f - n.z, 2.5f);
            c += vec3(view.atmosphere) * rim * (0.15f + 0.85f * day) * 0.8f;
            target.blendOver(x, y, Color(c, 1.0f), coverage);
        }
}

} // namespace assetgen
