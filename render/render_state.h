// The renderer's process-wide state, in one record: what the player can
// switch at run time, the layer filter, projection and window size, the
// light, the draw counters and what the GL context offers.
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

// The scene projection for a window of the given width / height ratio.
glm::mat4 sceneProjection(float aspect);

// A fresh start has a 1400 x 1000 window.
constexpr int kStartWindowWidth = 1400;
constexpr int kStartWindowHeight = 1000;

struct RenderState {
    RenderSettings settings;
    SceneLight sceneLight;
    int layerFilter = kAllLayers; // or one layer 0 to 2
    glm::mat4 projectionMatrix =
        sceneProjection(static_cast<float>(kStartWindowWidth) / kStartWindowHeight);
    int windowWidth = kStartWindowWidth;
    int windowHeight = kStartWindowHeight;
    // Ships and planets actually drawn since the last statistics report.
    int drawnShipCount = 0;
    int drawnPlanetCount = 0;
    // Set when the context offers these extensions; 0 until checkGLContext
    // runs. They belong to the context, so resetRenderState keeps them.
    int hasDebugOutputExtension = 0;
    int hasAnisotropicFilterExtension = 0;
};

// The one record of this process.
RenderState& renderState();

// Whether something on planet layer `layer` passes the layer filter.
bool passesLayerFilter(int layer);

// Back to the values of a fresh start, the context's extensions kept.
void resetRenderState();
