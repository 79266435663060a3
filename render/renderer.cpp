#include "render/renderer.h"

#include <epoxy/gl.h>

#include "math/camera.h"
#include "platform/window.h"
#include "render/billboard.h"
#include "render/gl_check.h"
#include "render/gl_state.h"
#include "render/instance_buffer.h"
#include "render/mesh.h"
#include "render/offscreen_target.h"
#include "render/overview_map_pass.h"
#include "render/post_processing.h"
#include "render/quads.h"
#include "render/scene_objects.h"
#include "render/shader_programs.h"
#include "render/sky_pass.h"
#include "render/texture_filtering.h"
#include "render/texture_manager.h"
#include "render/visibility_refresh.h"
#include "render/waypoint_pass.h"

namespace {

constexpr GLenum kSceneOnly[] = {GL_COLOR_ATTACHMENT0};
constexpr GLenum kSceneAndGlow[] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};

ScenePasses passes;

template <std::size_t N> void drawInto(const GLenum (&buffers)[N]) {
    glDrawBuffers(static_cast<GLsizei>(N), buffers);
}

void run(const std::function<void()>& pass) {
    if (pass) {
        pass();
    }
}

// Scene, glow and depth start empty; the clear reaches depth only while
// depth writes are on.
void clearSceneTarget() {
    glBindFramebuffer(GL_FRAMEBUFFER, offscreenTarget().framebuffer);
    glViewport(0, 0, offscreenTarget().width, offscreenTarget().height);
    drawInto(kSceneAndGlow);
    useGlState({});
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

} // namespace

ScenePasses& scenePasses() {
    return passes;
}

void initRenderer() {
    forgetGlState(); // the context may be new
    renderState().projectionMatrix =
        sceneProjection(static_cast<float>(renderState().windowWidth) / renderState().windowHeight);
    renderState().sceneLight = SceneLight{};
    textureManager().loadAll();
    buildAllMeshes();
    createShaderPrograms();
    createWaypointPass();
    createOverviewMapPass();
    createSceneObjects();
    createOffscreenTarget();
}

void resizeRenderer(int width, int height) {
    if (width <= 0 || height <= 0) {
        return; // minimised: no usable aspect ratio until the window comes back
    }
    const float aspect = static_cast<float>(width) / static_cast<float>(height);
    RenderState& state = renderState();
    state.projectionMatrix = sceneProjection(aspect);
    glViewport(0, 0, width, height);
    state.windowWidth = width;
    state.windowHeight = height;
    camera().aspectRatio = aspect;
    createOffscreenTarget();
}

void setBlackClearColor() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
}

void renderFrame() {
    forgetGlState(); // tests and tools may have set GL state since the last frame
    applyRequestedFiltering();
    if (renderState().settings.frustumCulling) {
        refreshVisibility();
    }
    clearSceneTarget();
    // The backdrop goes into the scene attachment only: it feeds no bloom.
    drawInto(kSceneOnly);
    run(passes.sky); // first: writes no depth, so everything lies in front of it
    if (renderState().settings.showLayerGrid) {
        run(passes.layerGrids); // added onto the stars, so after them
    }
    drawInto(kSceneAndGlow);
    run(passes.planets);    // solid, writing depth: before anything blended
    run(passes.sun);        // after the planets: what they cover of it is skipped
    run(passes.ships);      // solid, like the planets
    run(passes.turrets);    // on their hulls, with the hulls' program
    run(passes.lasers);     // blended back to front over all solid things
    run(passes.orders);     // thin and faint: after the solid scene, under the light
    run(passes.orderPlane); // light added over the solid scene and the bolts
    run(passes.overlays);   // untested by depth: icons and bars over the 3D scene
    run(passes.lensFlare);  // light in the lens, over everything, icons too
    if (renderState().settings.bloomEnabled) {
        runBloomPass(); // blurs the glow the scene passes wrote
    } else {
        clearBloom(); // the composite still reads the bloom target
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    runCompositePass();      // scene, bloom and help or end image onto the window
    run(passes.overviewMap); // a corner of the window, under the text and its panels
    run(passes.windowText);  // last: on-screen text over the finished picture
    swapBuffersAndPollEvents();
    checkGLError();
}

void shutdownRenderer() {
    forgetOffscreenTarget();
    forgetInstanceBuffer();
    forgetSkyCache();
    forgetQuads();
    forgetMeshes();
    forgetShaderPrograms();
    forgetWaypointPass();
    forgetOverviewMapPass();
    forgetBalanceBars();
    textureManager().forgetTextures();
    resetRenderState();
}

void destroyRendererObjects() {
    deleteOffscreenTarget();
    destroyInstanceBuffer();
    destroySkyCache();
    destroyQuads();
    destroyMeshes();
    deleteShaderPrograms();
    destroyWaypointPass();
    destroyOverviewMapPass();
    textureManager().deleteTextures();
    shutdownRenderer();
}
