#include "render/overview_map.h"

#include <algorithm>
#include <cmath>

#include "render/palette.h"
#include "render/render_state.h"

namespace {

constexpr float kMarginShare = 0.02f; // of the window's height, from its edges
constexpr float kMinimumMargin = 6.0f;
constexpr glm::vec4 kBackdrop{0.015f, 0.02f, 0.045f, 1.0f};
// Bolts are counted in cells this many to a side: a battle is one mark.
constexpr int kMapBattleCells = 12;
constexpr glm::vec4 kFrame{0.55f, 0.6f, 0.7f, 0.6f};
constexpr glm::vec4 kViewOutline{0.92f, 0.95f, 1.0f, 0.85f};
constexpr glm::vec4 kNeutralPlanet{0.62f, 0.62f, 0.66f, 1.0f};
constexpr glm::vec4 kBattle{1.0f, 0.95f, 0.75f, 1.0f};
constexpr float kRouteOpacity = 0.5f;
// Rays that climb or run level never reach the ground: their part of the
// view reaches this far along the ground instead, well past the frame.
constexpr float kHorizonReach = 1000.0f;

// Map pixels per world unit.
float pixelsPerUnit(const MapRect& rect) {
    return rect.size / (2.0f * kMapWorldHalfWidth);
}

glm::vec4 sideColor(Side side) {
    switch (side) {
    case Side::Player:
        return activePalette().playerIcon;
    case Side::Computer:
        return activePalette().computerIcon;
    case Side::Neutral:
        break;
    }
    return kNeutralPlanet;
}

// A pulse between 0 and 1, `perSecond` times a second.
float pulse(double time, double perSecond) {
    return static_cast<float>(0.5 + 0.5 * std::sin(time * perSecond * 2.0 * 3.14159265358979));
}

// Established planets are filled, the others hollow; a claim in progress
// adds a ring in the claimant's colour that swells and shrinks.
void addPlanets(OverviewMap& map, const std::vector<std::unique_ptr<Planet>>& planets,
                double time) {
    for (const auto& planet : planets) {
        const glm::vec2 at = mapPoint(map.rect, planet->position);
        const float radius = planetDotRadius(map.rect, *planet);
        const DevelopmentState state = developmentState(*planet);
        const DotShape shape =
            state == DevelopmentState::Established ? DotShape::Disc : DotShape::Ring;
        map.dots.push_back({at, radius, sideColor(planet->owner), shape});
        if (state == DevelopmentState::Contested) {
            const Side claimant =
                planet->playerClaim >= planet->computerClaim ? Side::Player : Side::Computer;
            const float swell = 1.45f + 0.35f * pulse(time, 1.5);
            map.dots.push_back({at, radius * swell, sideColor(claimant), DotShape::Ring});
        }
    }
}

// Counts things in the map's cells: the sum of their places and how many.
struct CellCounts {
    struct Cell {
        glm::vec2 sum{0.0f};
        int count = 0;
        bool marked = false;
    };
    int side; // cells to a side of the map
    std::vector<Cell> cells = std::vector<Cell>(side * side);

    void add(const MapRect& rect, glm::vec2 at, bool marked) {
        const glm::vec2 cell =
            glm::clamp((at - rect.origin) / rect.size * static_cast<float>(side), glm::vec2{0.0f},
                       glm::vec2{static_cast<float>(side) - 1.0f});
        Cell& counted = cells[static_cast<int>(cell.y) * side + static_cast<int>(cell.x)];
        counted.sum += at;
        ++counted.count;
        counted.marked = counted.marked || marked;
    }
};

// Every crowd a square, bigger the more it holds; a crowd with a selected
// ship in it wears the selection's colour.
void addFleet(OverviewMap& map, const ShipList& ships, const glm::vec4& color) {
    CellCounts counts{kMapShipCells};
    for (const ShipRef& ship : ships) {
        counts.add(map.rect, mapPoint(map.rect, ship->position), ship->selected);
    }
    const float scale = pixelsPerUnit(map.rect);
    for (const CellCounts::Cell& cell : counts.cells) {
        if (cell.count == 0) {
            continue;
        }
        const float radius =
            std::min(4.0f, 0.8f + 0.45f * std::sqrt(static_cast<float>(cell.count))) * scale;
        map.dots.push_back({cell.sum / static_cast<float>(cell.count), std::max(1.0f, radius),
                            cell.marked ? activePalette().selectedIcon : color, DotShape::Square});
    }
}

// Where bolts fly there is a battle: a flickering cross per crowd of bolts.
void addBattles(OverviewMap& map, const Galaxy& galaxy, double time) {
    CellCounts counts{kMapBattleCells};
    for (const ShipList* side : {&galaxy.playerShips, &galaxy.computerShips}) {
        for (const ShipRef& ship : *side) {
            for (const LaserShot& shot : ship->lasers) {
                if (shot.alive) {
                    counts.add(map.rect, mapPoint(map.rect, shot.position), false);
                }
            }
        }
    }
    const float radius = std::max(3.0f, 3.5f * pixelsPerUnit(map.rect));
    const glm::vec4 color{glm::vec3{kBattle}, 0.55f + 0.45f * pulse(time, 4.0)};
    for (const CellCounts::Cell& cell : counts.cells) {
        if (cell.count == 0) {
            continue;
        }
        map.dots.push_back(
            {cell.sum / static_cast<float>(cell.count), radius, color, DotShape::Cross});
    }
}

// Each alert a ring that grows from its place and fades, over and over.
void addAlerts(OverviewMap& map, std::span<const Vec3> alerts, double time) {
    const float phase = static_cast<float>(time * 1.5 - std::floor(time * 1.5));
    const float radius = map.rect.size * 0.06f * (0.35f + phase);
    const glm::vec4 color{glm::vec3{activePalette().selectedIcon}, 1.0f - 0.8f * phase};
    for (const Vec3& place : alerts) {
        map.dots.push_back({mapPoint(map.rect, place), radius, color, DotShape::Ring});
    }
}

void addRoutes(OverviewMap& map, const std::vector<std::unique_ptr<Planet>>& planets) {
    const glm::vec4 color{glm::vec3{activePalette().playerIcon}, kRouteOpacity};
    for (const auto& planet : planets) {
        if (planet->owner == Side::Player && planet->hasRoute()) {
            map.lines.push_back({mapPoint(map.rect, planet->position),
                                 mapPoint(map.rect, planet->routeTarget->position), color});
        }
    }
}

void addLoop(OverviewMap& map, const std::vector<glm::vec2>& corners, const glm::vec4& color) {
    for (std::size_t i = 0; i < corners.size(); ++i) {
        map.lines.push_back({corners[i], corners[(i + 1) % corners.size()], color});
    }
}

// Where a ray from the eye meets the ground, as x and z.
glm::vec2 groundPoint(const Vec3& eye, const Vec3& direction) {
    if (direction.y < -1e-4f) {
        const Vec3 point = eye + direction * (-eye.y / direction.y);
        return {point.x, point.z};
    }
    const glm::vec2 level{direction.x, direction.z};
    const float length = glm::length(level);
    const glm::vec2 away = length > 0.0f ? level / length : glm::vec2{0.0f};
    return glm::vec2{eye.x, eye.z} + away * kHorizonReach;
}

// The part of a convex polygon on the inner side of one edge of the frame:
// `axis` 0 is x, 1 is z; `sign` +1 keeps values below `limit`, -1 above.
std::vector<glm::vec2> clipToEdge(const std::vector<glm::vec2>& polygon, int axis, float sign) {
    std::vector<glm::vec2> kept;
    const float limit = kMapWorldHalfWidth;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const glm::vec2 a = polygon[i];
        const glm::vec2 b = polygon[(i + 1) % polygon.size()];
        const float da = limit - sign * a[axis];
        const float db = limit - sign * b[axis];
        if (da >= 0.0f) {
            kept.push_back(a);
        }
        if ((da >= 0.0f) != (db >= 0.0f)) {
            kept.push_back(a + (b - a) * (da / (da - db)));
        }
    }
    return kept;
}

} // namespace

bool MapRect::contains(glm::vec2 pixel) const {
    return pixel.x >= origin.x && pixel.y >= origin.y && pixel.x <= origin.x + size &&
           pixel.y <= origin.y + size;
}

MapRect overviewMapRect(int windowWidth, int windowHeight) {
    const float height = static_cast<float>(windowHeight);
    const float margin = std::max(kMinimumMargin, height * kMarginShare);
    const float size = std::floor(std::min(height, static_cast<float>(windowWidth)) / 5.0f);
    return {{static_cast<float>(windowWidth) - margin - size, height - margin - size}, size};
}

float planetDotRadius(const MapRect& rect, const Planet& planet) {
    return std::max(2.0f, (1.0f + planet.radius) * 1.5f * pixelsPerUnit(rect));
}

const Planet* planetOnMap(const Galaxy& galaxy, const MapRect& rect, glm::vec2 pixel) {
    const Planet* nearest = nullptr;
    float nearestDistance = 0.0f;
    for (const auto& planet : galaxy.planets) {
        const float distance = glm::length(mapPoint(rect, planet->position) - pixel);
        if (distance <= planetDotRadius(rect, *planet) &&
            (nearest == nullptr || distance < nearestDistance)) {
            nearest = planet.get();
            nearestDistance = distance;
        }
    }
    return nearest;
}

glm::vec2 mapPoint(const MapRect& rect, const Vec3& world) {
    const glm::vec2 share =
        (glm::vec2{world.x, world.z} + kMapWorldHalfWidth) / (2.0f * kMapWorldHalfWidth);
    return rect.origin + share * rect.size;
}

std::optional<Vec3> worldPointOnMap(const MapRect& rect, glm::vec2 pixel) {
    if (rect.size <= 0.0f || !rect.contains(pixel)) {
        return std::nullopt;
    }
    const glm::vec2 world =
        (pixel - rect.origin) / rect.size * (2.0f * kMapWorldHalfWidth) - kMapWorldHalfWidth;
    return Vec3{world.x, 0.0f, world.y};
}

std::vector<glm::vec2> viewOutline(const Camera& view, const MapRect& rect) {
    const float tanHalf = std::tan(glm::radians(kFieldOfView / 2.0f));
    const Vec3 up = glm::normalize(glm::cross(view.right, view.forward));
    std::vector<glm::vec2> ground;
    for (const glm::vec2& corner :
         {glm::vec2{-1, -1}, glm::vec2{1, -1}, glm::vec2{1, 1}, glm::vec2{-1, 1}}) {
        const Vec3 direction = view.forward + view.right * (corner.x * tanHalf * view.aspectRatio) +
                               up * (corner.y * tanHalf);
        ground.push_back(groundPoint(view.eye, direction));
    }
    for (const auto& [axis, sign] : {std::pair{0, 1.0f}, {0, -1.0f}, {1, 1.0f}, {1, -1.0f}}) {
        if (ground.empty()) {
            break;
        }
        ground = clipToEdge(ground, axis, sign);
    }
    std::vector<glm::vec2> outline;
    for (const glm::vec2& point : ground) {
        outline.push_back(mapPoint(rect, Vec3{point.x, 0.0f, point.y}));
    }
    return outline;
}

OverviewMap buildOverviewMap(const Galaxy& galaxy, const Camera& view, const MapRect& rect,
                             std::span<const Vec3> alerts, double time) {
    OverviewMap map;
    map.rect = rect;
    map.backdrop = kBackdrop;
    if (!(rect.size >= 1.0f)) { // a window shrunk to a few pixels has no room for a map
        return map;
    }
    map.dots.reserve(galaxy.planets.size() + 2 * kMapShipCells);
    addPlanets(map, galaxy.planets, time);
    addFleet(map, galaxy.computerShips, activePalette().computerIcon);
    addFleet(map, galaxy.playerShips, activePalette().playerIcon);
    addBattles(map, galaxy, time);
    addAlerts(map, alerts, time);
    const glm::vec2 far = rect.origin + rect.size;
    addLoop(map, {rect.origin, {far.x, rect.origin.y}, far, {rect.origin.x, far.y}}, kFrame);
    addRoutes(map, galaxy.planets);
    addLoop(map, viewOutline(view, rect), kViewOutline);
    return map;
}
