#include "app/overview_map_control.h"

#include <utility>

#include "app/alerts.h"
#include "app/app_state.h"
#include "app/keyboard.h"
#include "app/mouse.h"
#include "app/picking.h"
#include "math/camera.h"
#include "platform/keys.h"
#include "render/overview_map_pass.h"
#include "render/render_state.h"
#include "render/renderer.h"
#include "sim/galaxy.h"

namespace {

bool dragging = false;

glm::vec2 cursor() {
    return {static_cast<float>(appState().mouseX), static_cast<float>(appState().mouseY)};
}

void moveViewTo(glm::vec2 pixel) {
    const MapRect rect = currentMapRect();
    const glm::vec2 held = glm::clamp(pixel, rect.origin, rect.origin + rect.size);
    if (const std::optional<Vec3> point = worldPointOnMap(rect, held)) {
        moveCameraTargetTo(point->x, point->z);
    }
}

// At the order plane's height, or on the ground with the plane off.
void sendShipsTo(const Vec3& ground) {
    const float plane = appState().orderPlaneHeight;
    const float height = plane == kOrderPlaneOff ? 0.0f : plane;
    sendSelectedShips({ground.x, height, ground.z}, isKeyDown(Key::LeftShift));
}

void drawShownMap() {
    if (!isOverviewMapShown()) {
        return;
    }
    std::vector<Vec3> places;
    for (const Alert& alert : currentAlerts()) {
        places.push_back(alert.position);
    }
    drawOverviewMap(
        buildOverviewMap(galaxy(), camera(), currentMapRect(), places, galaxy().elapsedTime));
}

} // namespace

bool isOverviewMapShown() {
    const Galaxy& g = galaxy();
    return appState().overviewMapShown && appState().hudShown && !renderState().settings.showHelp &&
           !g.playerDefeated && !g.playerVictorious;
}

MapRect currentMapRect() {
    return overviewMapRect(renderState().windowWidth, renderState().windowHeight);
}

const Planet* planetAtPointer(int x, int y) {
    const glm::vec2 pixel{static_cast<float>(x), static_cast<float>(y)};
    if (isOverviewMapShown() && currentMapRect().contains(pixel)) {
        return planetOnMap(galaxy(), currentMapRect(), pixel);
    }
    return planetUnderPointer(x, y);
}

void installOverviewMap() {
    scenePasses().overviewMap = drawShownMap;
}

bool handleMapMouseButton(int button, int action) {
    if (button == MouseButton::Left && action == KeyAction::Release) {
        // A drag begun in the scene ends there, even over the map.
        return std::exchange(dragging, false);
    }
    if (!isOverviewMapShown() || !currentMapRect().contains(cursor())) {
        return false;
    }
    if (button == MouseButton::Left && action == KeyAction::Press) {
        dragging = true;
        moveViewTo(cursor());
    } else if (button == MouseButton::Right && action == KeyAction::Release) {
        if (const std::optional<Vec3> point = worldPointOnMap(currentMapRect(), cursor())) {
            sendShipsTo(*point);
        }
    }
    return true;
}

void followMapDrag() {
    if (dragging) {
        moveViewTo(cursor());
    }
}

void resetOverviewMapControl() {
    dragging = false;
}
