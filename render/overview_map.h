// The overview map: the whole galaxy seen from above in the window's bottom
// right corner. This is its picture as plain shapes in window pixels (origin
// top left), built from the galaxy, the camera and the alerts each frame; the
// map pass draws them. World x runs to the right, world -z up the map; the
// map's frame is the region the camera's target may roam.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include <glm/glm.hpp>

#include "math/camera.h"
#include "sim/galaxy.h"

// The world square the map shows: the camera target's region in x and z.
constexpr float kMapWorldHalfWidth = kCameraTargetHalfWidth;

struct MapRect {
    glm::vec2 origin{0.0f}; // top-left corner, window pixels
    float size = 0.0f;      // width and height
    bool contains(glm::vec2 pixel) const;
};

// Bottom right, a fifth of the window's height, a small margin from the edges.
MapRect overviewMapRect(int windowWidth, int windowHeight);

// Where a world point lies on the map (its height ignored).
glm::vec2 mapPoint(const MapRect& rect, const Vec3& world);
// The world point (x, z at height 0) under a window pixel of the map;
// nothing outside the map.
std::optional<Vec3> worldPointOnMap(const MapRect& rect, glm::vec2 pixel);

// The radius in pixels of a planet's dot.
float planetDotRadius(const MapRect& rect, const Planet& planet);
// The planet whose dot lies under a window pixel, the nearest where dots
// meet; none where there is no dot.
const Planet* planetOnMap(const Galaxy& galaxy, const MapRect& rect, glm::vec2 pixel);

// How a dot is drawn: a filled square, a disc, a ring, a cross.
enum class DotShape : int { Square = 0, Disc = 1, Ring = 2, Cross = 3 };

struct MapDot {
    glm::vec2 centre;
    float radius; // pixels
    glm::vec4 color;
    DotShape shape;
};

struct MapLine {
    glm::vec2 from;
    glm::vec2 to;
    glm::vec4 color;
};

// Drawn in this order: the backdrop, the dots, then the lines over them.
struct OverviewMap {
    MapRect rect;
    glm::vec4 backdrop{0.0f};
    std::vector<MapDot> dots;
    std::vector<MapLine> lines;
};

// Ships are counted in cells of this many to a side of the map: a crowd of
// one side in one cell is one dot, sized by how many it holds.
constexpr int kMapShipCells = 24;

// Everything the map shows at game time `time` (claims and alerts pulse
// with it): planets by owner and development, both fleets, lasers in
// flight, the player's trade routes, the camera's view on the ground and
// the alerts' places.
OverviewMap buildOverviewMap(const Galaxy& galaxy, const Camera& view, const MapRect& rect,
                             std::span<const Vec3> alerts, double time);

// The camera's view on the ground plane (height 0) as a polygon on the map,
// clipped to the map's frame; empty when none of it lies there.
std::vector<glm::vec2> viewOutline(const Camera& view, const MapRect& rect);
