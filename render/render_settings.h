// What the player can switch in the renderer at run time, and the renderer's
// own process-wide state: layer filter, projection, window size, the light
// and the draw counters.
#pragma once

#include <glm/glm.hpp>

// Texture filter modes: 0 linear, 1 nearest.
namespace TextureFilter {
constexpr int Linear = 0;
constexpr int Nearest = 1;
} // namespace TextureFilter

// Mipmap modes: 0 off, 1 linear, 2 nearest.
namespace MipmapMode {
constexpr int Off = 0;
constexpr int Linear = 1;
constexpr int Nearest = 2;
} // namespace MipmapMode

// The toggles the keyboard flips and the passes read.
struct RenderSettings {
    bool frustumCulling = true;
    bool bloomEnabled = true;
    bool lensFlareEnabled = true;
    bool transparencyEnabled = true;
    bool showTradeRoutes = true;
    bool showLayerGrid = true;
    bool wireframe = false;
    bool showHelp = false;
    float bloomFactor = 1.0f;
    // A change is requested by the keyboard and applied at the next frame.
    int requestedFilter = TextureFilter::Linear;
    int appliedFilter = TextureFilter::Linear;
    int requestedMipmap = MipmapMode::Off;
    int appliedMipmap = MipmapMode::Off;
};

// The scene's single light. The planet and hull passes aim it from the sun;
// the turret pass uses this direction.
struct SceneLight {
    glm::vec3 direction{-3.0f, -8.0f, -8.0f};
    glm::vec4 ambientColor{1.0f};
    glm::vec4 diffuseColor{1.0f};
    glm::vec4 specularColor{1.0f};
};

// Shows every planet layer.
constexpr int kAllLayers = -1;

// Vertical field of view and clipping planes of the scene camera.
constexpr float kFieldOfView = 40.0f;
constexpr float kNearPlane = 0.1f;
constexpr float kFarPlane = 10000.0f;

extern RenderSettings renderSettings;
extern SceneLight sceneLight;
extern int layerFilter; // kAllLayers, or one layer 0 to 2
extern glm::mat4 projectionMatrix;
extern int windowWidth;
extern int windowHeight;

// Ships and planets actually drawn since the last statistics report.
extern int drawnShipCount;
extern int drawnPlanetCount;

// Whether something on planet layer `layer` passes the layer filter.
bool passesLayerFilter(int layer);

// The scene projection for a window of the given width / height ratio.
glm::mat4 sceneProjection(float aspect);

// Back to the values of a fresh start: 1400 x 1000 window, defaults above.
void resetRenderState();
