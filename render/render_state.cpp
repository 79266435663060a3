#include "render/render_state.h"

#include "math/degrees.h"

RenderState& renderState() {
    static RenderState state;
    return state;
}

bool passesLayerFilter(int layer) {
    const int filter = renderState().layerFilter;
    return filter == kAllLayers || filter == layer;
}

glm::mat4 sceneProjection(float aspect) {
    return perspectiveDegrees(kFieldOfView, aspect, kNearPlane, kFarPlane);
}

void resetRenderState() {
    RenderState& state = renderState();
    RenderState fresh;
    fresh.hasDebugOutputExtension = state.hasDebugOutputExtension;
    fresh.hasAnisotropicFilterExtension = state.hasAnisotropicFilterExtension;
    state = fresh;
}
