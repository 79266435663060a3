#include "render/renderer.h"

#include <epoxy/gl.h>

#include "math/camera.h"
#include "platform/window.h"
#include "render/billboard.h"
#include "render/gl_check.h"
#include "render/instance_buffer.h"
#include "render/mesh.h"
#include "render/offscreen_target.h"
#include "render/post_processing.h"
#include "render/quads.h"
#include "render/scene_objects.h"
#include "render/shader_programs.h"
#include "render/sky_pass.h"
#include "render/texture_filtering.h"
#include "render/texture_manager.h"
#include "render/visibility_refresh.h"

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

void drawBackground() {
    drawInto(kSceneOnly);
    run(passes.sky);
    if (renderState().settings.showLayerGrid) {
        run(passes.layerGrids);
    }
}

void drawScene() {
    drawInto(kSceneAndGlow);
    run(passes.planets);
    run(passes.sun);
    run(passes.ships);
    run(passes.turrets);
    run(passes.lasers);
    run(passes.orderPlane);
    run(passes.overlays);
    run(passes.lensFlare);
}

} // namespace

ScenePasses& scenePasses() {
    return passes;
}

void initRenderer() {
    renderState().projectionMatrix =
        sceneProjection(static_cast<float>(renderState().windowWidth) / renderState().windowHeight);
    renderState().sceneLight = SceneLight{};
    textureManager().loadAll();
    glEnable(GL_FRAMEBUFFER_SRGB);
    glGetError(); // not every context offers sRGB framebuffers
    buildAllMeshes();
    createShaderPrograms();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
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
    applyRequestedFiltering();
    if (renderState().settings.frustumCulling) {
        refreshVisibility();
    }
    glBindFramebuffer(GL_FRAMEBUFFER, offscreenTarget().framebuffer);
    glViewport(0, 0, offscreenTarget().width, offscreenTarget().height);
    drawInto(kSceneAndGlow);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawBackground();
    drawScene();
    if (renderState().settings.bloomEnabled) {
        runBloomPass();
    } else {
        clearBloom();
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    runCompositePass();
    run(passes.windowText);
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
    textureManager().deleteTextures();
    shutdownRenderer();
}
