#include "render/renderer.h"

#include <epoxy/gl.h>

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
    if (renderSettings.showLayerGrid) {
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
    projectionMatrix = sceneProjection(static_cast<float>(windowWidth) / windowHeight);
    sceneLight = SceneLight{};
    TextureManager::getInstance()->loadAll();
    glEnable(GL_FRAMEBUFFER_SRGB);
    glGetError(); // not every context offers sRGB framebuffers
    buildAllMeshes();
    createShaderPrograms();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    createSceneObjects();
    createOffscreenTarget();
}

void renderFrame() {
    applyRequestedFiltering();
    if (renderSettings.frustumCulling) {
        refreshVisibility();
    }
    glBindFramebuffer(GL_FRAMEBUFFER, offscreenTarget().framebuffer);
    glViewport(0, 0, offscreenTarget().width, offscreenTarget().height);
    drawInto(kSceneAndGlow);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawBackground();
    drawScene();
    if (renderSettings.bloomEnabled) {
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
    TextureManager::getInstance()->forgetTextures();
    resetRenderState();
}

void destroyRendererObjects() {
    deleteOffscreenTarget();
    destroyInstanceBuffer();
    destroySkyCache();
    destroyQuads();
    destroyMeshes();
    deleteShaderPrograms();
    TextureManager::getInstance()->deleteTextures();
    shutdownRenderer();
}
