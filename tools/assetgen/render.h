// A small software renderer for pictures made of the game's own assets: the
// ship models for previews and illustrations, and textured planets.
#pragma once

#include <glm/mat3x3.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include "image.h"
#include "mesh.h"

namespace assetgen {

struct MeshView {
    glm::mat3 rotation{1.0f}; // model to view; the viewer looks down -z
    float scale = 1.0f;       // pixels per model unit
    glm::vec2 centre{0.0f};   // where the model origin lands, in pixels
    glm::vec3 light{-0.4f, 0.7f, 0.6f};
    Color tint{0.75f, 0.8f, 0.88f, 1.0f};
    Color outline{0.0f, 0.0f, 0.0f, 0.0f}; // alpha 0: no outline
    const Image* texture = nullptr;        // hull plating, tiled by the mesh's UVs
};

// Rotation that turns the model by `yawDeg` about +y, then tilts it by `pitchDeg` towards the
// viewer.
glm::mat3 viewRotation(float yawDeg, float pitchDeg);

// Renders the mesh at 2x resolution and composites it, anti-aliased, onto `target`.
void drawMesh(Image& target, const Mesh& mesh, const MeshView& view);

// A lit, textured planet of the given pixel radius, with an atmosphere rim.
struct PlanetView {
    glm::vec2 centre;
    float radius;
    glm::vec3 light{-0.6f, 0.35f, 0.7f}; // towards the sun, view space
    float spinDeg = 0;
    float tiltDeg = 15;
    Color atmosphere{0.35f, 0.6f, 1.0f, 1.0f};
    const Image* night = nullptr; // emissive lights on the dark side
};
void drawPlanet(Image& target, const Image& surface, const PlanetView& view);

} // namespace assetgen
