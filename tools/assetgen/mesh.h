// Triangle meshes with per-vertex normals and texture coordinates, a few
// modelling primitives for hard-surface ships, and a Wavefront OBJ writer.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

namespace assetgen {

struct Vertex {
    glm::vec3 position;
    glm::vec3 normal;
    glm::vec2 uv;
};

struct Mesh {
    std::vector<Vertex> vertices;
    std::vector<std::array<uint32_t, 3>> triangles; // counter-clockwise seen from outside

    void append(const Mesh& other);
    // Mirror across the z = 0 plane (port <-> starboard), keeping the winding outward.
    Mesh mirroredZ() const;
    // Without the triangles lying in the plane where coordinate `axis` is `at`:
    // faces that another part covers.
    Mesh withoutFacesIn(int axis, float at) const;
};

// One cross-section of a lofted body, perpendicular to the x axis.
struct Section {
    float x;
    float halfWidth; // along z
    float top;       // above centreY
    float bottom;    // below centreY
    float centreY = 0;
    float centreZ = 0;
    float roundness = 2.0f; // superellipse exponent: 2 round, larger is boxier
};

// Skins consecutive sections with `around` vertices per ring, smooth-shaded,
// and closes both ends with flat caps (a section of zero size ends in a point).
Mesh loft(const std::vector<Section>& sections, int around, float uvScale);

// A straight tube along +x from x0 to x1 with capped ends.
Mesh cylinderX(glm::vec3 start, float length, float radiusStart, float radiusEnd, int around,
               float uvScale);
// A vertical cylinder (axis +y) standing on `base`.
Mesh cylinderY(glm::vec3 base, float height, float radius, int around, float uvScale);

// A convex polygon in the x-z plane extruded from y0 to y1 (flat shading),
// e.g. a wing or a fin seen from above. Points go counter-clockwise seen from +y.
Mesh prismY(const std::vector<glm::vec2>& outlineXZ, float y0, float y1, float uvScale,
            bool sides = true);
// The same for a polygon in the x-y plane extruded through z0..z1 (vertical fins).
Mesh prismZ(const std::vector<glm::vec2>& outlineXY, float z0, float z1, float uvScale,
            bool sides = true);

// A box with flat faces, optionally narrower on top (a tapered superstructure).
Mesh box(glm::vec3 minCorner, glm::vec3 maxCorner, float topInset, float uvScale);

// Writes one object with one material; returns false when the file cannot be written.
bool writeObj(const Mesh& mesh, const std::string& path);

} // namespace assetgen
