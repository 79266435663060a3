#include "render/render_settings.h"

#include "math/degrees.h"

namespace {
constexpr int kStartWidth = 1400;
constexpr int kStartHeight = 1000;
} // namespace

RenderSettings renderSettings;
SceneLight sceneLight;
int layerFilter = kAllLayers;
glm::mat4 projectionMatrix = sceneProjection(static_cast<float>(kStartWidth) / kStartHeight);
int windowWidth = kStartWidth;
int windowHeight = kStartHeight;
int drawnShipCount = 0;
int drawnPlanetCount = 0;

bool passesLayerFilter(int layer) {
    return layerFilter == kAllLayers || layerFilter == layer;
}

glm::mat4 sceneProjection(float aspect) {
    return perspectiveDegrees(kFieldOfView, aspect, kNearPlane, kFarPlane);
}

void resetRenderState() {
    renderSettings = RenderSettings{};
    sceneLight = SceneLight{};
    layerFilter = kAllLayers;
    windowWidth = kStartWidth;
    windowHeight = kStartHeight;
    projectionMatrix = sceneProjection(static_cast<float>(kStartWidth) / kStartHeight);
    drawnShipCount = 0;
    drawnPlanetCount = 0;
}
