#include "app/mouse.h"

#include <algorithm>
#include <cmath>

#include "app/edge_scrolling.h"
#include "app/keyboard.h"
#include "app/overview_map_control.h"
#include "math/camera.h"
#include "platform/keys.h"
#include "platform/window.h"
#include "render/render_state.h"
#include "sim/combat.h"
#include "sim/routes.h"
#include "sim/waypoints.h"

int mouseX = 0;
int mouseY = 0;

namespace {

constexpr float kHorizontalRay = 0.000001f;
constexpr float kOrderBound = 100.0f;
constexpr int kFireKey = 'X';
// Held while dragging: ships only, or with Shift own planets only. V is the
// same key on every layout; '<' needs Shift on a US keyboard.
constexpr int kFilterKeys[] = {'<', 'V'};

int dragStartX = 0;
int dragStartY = 0;

void clearSelection() {
    for (const ShipRef& ship : galaxy().playerShips) {
        ship->selected = false;
    }
    for (const auto& planet : galaxy().planets) {
        planet->selected = false;
    }
}

// X held makes the click a fire order: the selection stays, as with Shift,
// so the ships that were selected are the ones that fire.
void selectInDrag() {
    if (!isKeyDown(Key::LeftShift) && !isKeyDown(kFireKey)) {
        clearSelection();
    }
    for (const glm::ivec2& point : dragGridPoints(
             {dragStartX, dragStartY}, {appState().mouseX, appState().mouseY}, cameraDistance())) {
        pickAt(point.x, point.y);
    }
}

void fireAtAimPoint() {
    orderAtCursor();
    for (std::size_t i = 0; i < galaxy().playerShips.size(); ++i) {
        Ship& ship = *galaxy().playerShips[i];
        if (ship.selected) {
            manualFire(ship);
        }
    }
}

// A selected own planet sends its ships to the point and loses its route.
void rallySelectedPlanets(const PickRay& ray, std::optional<float> height) {
    for (const auto& planet : galaxy().planets) {
        if (!planet->selected || planet->owner != Side::Player) {
            continue;
        }
        const std::optional<Vec3> point = planePoint(ray, height.value_or(planet->position.y));
        if (!point) {
            continue;
        }
        uncountRoute(*planet);
        planet->rallyPoint = *point;
        planet->routeTarget = planet.get();
        planet->productionProgress = 0;
    }
}

// Empty space without the order plane: every ship keeps its own height, or
// the shown layer's.
void orderAtOwnHeights(const PickRay& ray, bool queue) {
    for (const ShipRef& ship : galaxy().playerShips) {
        if (!ship->selected) {
            continue;
        }
        const float height = renderState().layerFilter == kAllLayers
                                 ? ship->position.y
                                 : layerFloor(renderState().layerFilter);
        if (const std::optional<Vec3> point = planePoint(ray, height)) {
            if (!queue) {
                ship->waypoints.clear();
            }
            appendWaypoint(*ship, *point, Waypoint::Destination);
        }
    }
    rallySelectedPlanets(ray, std::nullopt);
}

void orderOnPlane(const PickRay& ray, bool queue) {
    if (const std::optional<Vec3> point = planePoint(ray, appState().orderPlaneHeight)) {
        sendSelectedShips(*point, queue);
        rallySelectedPlanets(ray, appState().orderPlaneHeight);
    }
}

} // namespace

void sendSelectedShips(Vec3 point, bool queue) {
    for (const ShipRef& ship : galaxy().playerShips) {
        if (!ship->selected) {
            continue;
        }
        if (!queue) {
            ship->waypoints.clear();
        }
        appendWaypoint(*ship, point, Waypoint::Destination);
    }
}

void handleMousePosition(int x, int y) {
    appState().mouseX = x;
    appState().mouseY = y;
    refreshEdgeFlags();
    followMapDrag();
}

void refreshEdgeFlags() {
    const WindowSize window = currentWindowSize();
    if (window.width > 0 && window.height > 0) {
        updateEdgeFlags(appState().mouseX, appState().mouseY, window);
    }
}

void handleMouseButton(int button, int action) {
    if (handleMapMouseButton(button, action)) {
        return; // the map is over the scene there: nothing behind it is picked
    }
    if (button == MouseButton::Left && action == KeyAction::Press) {
        dragStartX = appState().mouseX;
        dragStartY = appState().mouseY;
    } else if (button == MouseButton::Left && action == KeyAction::Release) {
        selectInDrag();
        if (isKeyDown(kFireKey)) {
            fireAtAimPoint();
        }
    } else if (button == MouseButton::Right && action == KeyAction::Release) {
        orderAtCursor();
        if (isKeyDown(Key::LeftCtrl)) {
            fireAtCursorTarget();
        }
    }
}

int dragGridStep(float cameraDistance) {
    const int step = 7 - static_cast<int>(cameraDistance) / 20;
    return step < 1 ? 2 : step;
}

std::vector<glm::ivec2> dragGridPoints(glm::ivec2 from, glm::ivec2 to, float cameraDistance) {
    const glm::ivec2 low = glm::min(from, to);
    const glm::ivec2 high = glm::max(from, to);
    const int step = dragGridStep(cameraDistance);
    std::vector<glm::ivec2> points;
    for (int x = low.x; x <= high.x; x += step) {
        for (int y = low.y; y <= high.y; y += step) {
            points.push_back({x, y});
        }
    }
    return points;
}

void pickAt(int x, int y) {
    const PickHits hits = castPickRay(pickRay(x, y));
    const bool filtering = isKeyDown(kFilterKeys[0]) || isKeyDown(kFilterKeys[1]);
    const bool skipShips = filtering && isKeyDown(Key::LeftShift);
    const bool skipPlanets = filtering && !isKeyDown(Key::LeftShift);
    if (!skipShips) {
        for (Ship* ship : hits.playerShips) {
            ship->selected = true;
        }
    }
    if (!skipPlanets) {
        for (Planet* planet : hits.planets) {
            if (planet->owner == Side::Player) {
                planet->selected = true;
            }
        }
    }
}

void orderAtCursor() {
    const PickRay ray = pickRay(appState().mouseX, appState().mouseY);
    const PickHits hits = castPickRay(ray);
    const bool queue = isKeyDown(Key::LeftShift);
    if (hits.hitSomething()) {
        const Vec3 point = orderPointOnHit(ray, hits);
        sendSelectedShips(point, queue);
        routePlanets(point);
    } else if (appState().orderPlaneHeight == kOrderPlaneOff) {
        orderAtOwnHeights(ray, queue);
    } else {
        orderOnPlane(ray, queue);
    }
}

void fireAtCursorTarget() {
    const PickHits hits = castPickRay(pickRay(appState().mouseX, appState().mouseY));
    if (!hits.computerShips.empty()) {
        targetedFire(hits.computerShips.front()->position);
    }
}

std::optional<Vec3> planePoint(const PickRay& ray, float height) {
    if (std::abs(ray.direction.y) < kHorizontalRay) {
        return std::nullopt;
    }
    const float t = (height - ray.origin.y) / ray.direction.y;
    return glm::clamp(ray.origin + ray.direction * t, Vec3{-kOrderBound}, Vec3{kOrderBound});
}

void resetMouse() {
    appState().mouseX = 0;
    appState().mouseY = 0;
    dragStartX = 0;
    dragStartY = 0;
    resetOverviewMapControl();
}
