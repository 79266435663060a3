#include "render/sky_pass.h"

#include <array>

#include "render/gl_state.h"
#include "render/mesh.h"
#include "render/pass_support.h"
#include "render/render_state.h"
#include "render/scene_objects.h"
#include "render/texture_manager.h"

namespace {

constexpr int kSkyTexture = 10;
constexpr float kOrderPlaneOff = -1.0f;
constexpr float kOrderPlaneDrop = 0.5f;

void drawGrid(GLint mvp, const Mat4& viewProjection, const Mat4& model, GLenum mode) {
    setMatrix(mvp, viewProjection * model);
    glDrawElements(mode, meshForKind(MeshKind::LayerGrid)->indexCount, GL_UNSIGNED_INT, nullptr);
}

// Both grids are turned so that their own z axis is vertical: down for the
// first, up for the second.
float gridLift(int grid, float height) {
    return grid == 0 ? -height : height;
}

// The sky depends only on which way the camera looks, the projection, the
// target's size and the star texture's filtering. Panning and zooming keep
// all of these, so the sky is drawn once into a texture of its own and
// copied onto the scene each frame until one of them changes.
struct SkyView {
    Mat3 turn{0.0f};
    Mat4 projection{0.0f};
    int width = 0;
    int height = 0;
    GLuint texture = 0;
    int mipmap = 0;
    int filter = 0;
    std::array<float, 4> clearColor{};

    bool operator==(const SkyView&) const = default;
};

struct SkyCache {
    SkyView view;
    GLuint framebuffer = 0;
    GLuint texture = 0;
};

SkyCache skyCache;

SkyView currentSkyView() {
    SkyView view;
    view.turn = Mat3{sceneView()};
    view.projection = renderState().projectionMatrix;
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    view.width = viewport[2];
    view.height = viewport[3];
    const GLuint* stars = textureManager().texture(kSkyTexture);
    view.texture = stars != nullptr ? *stars : 0;
    view.mipmap = renderState().settings.appliedMipmap;
    view.filter = renderState().settings.appliedFilter;
    glGetFloatv(GL_COLOR_CLEAR_VALUE, view.clearColor.data());
    return view;
}

void makeCacheTarget(int width, int height) {
    if (skyCache.framebuffer != 0) {
        destroySkyCache();
    }
    glGenTextures(1, &skyCache.texture);
    glBindTexture(GL_TEXTURE_2D, skyCache.texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glGenFramebuffers(1, &skyCache.framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, skyCache.framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, skyCache.texture,
                           0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

// The sphere travels with the camera and writes no depth; on the cleared
// cache it draws what it would draw on the cleared scene.
void paintSkyCache(const ShaderProgram& program, const SkyView& view) {
    if (skyCache.framebuffer == 0 || skyCache.view.width != view.width ||
        skyCache.view.height != view.height) {
        makeCacheTarget(view.width, view.height);
    }
    skyCache.view = view;
    glBindFramebuffer(GL_FRAMEBUFFER, skyCache.framebuffer);
    const GLenum color = GL_COLOR_ATTACHMENT0;
    glDrawBuffers(1, &color);
    glClear(GL_COLOR_BUFFER_BIT);
    // Seen from inside, the sphere shows its back faces.
    useGlState({.cullFaces = false, .depthWrites = false});
    useProgram(program.program);
    const Mesh* sphere = meshForKind(MeshKind::SkySphere);
    glBindVertexArray(sphere->vertexArray);
    setMatrix(program.uniform(ProjectionSlot), renderState().projectionMatrix);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, view.texture);
    glUniform1i(uniformOf(Program::Starbox, "colorTexture"), 0);
    setMatrix(program.uniform(ModelMatrixSlot), skyMatrix());
    setMatrix(program.uniform(ViewMatrixSlot), sceneView());
    glDrawElements(GL_TRIANGLES, sphere->indexCount, GL_UNSIGNED_INT, nullptr);

    glBindTexture(GL_TEXTURE_2D, 0);
    glBindVertexArray(0);
}

} // namespace

Mat4 skyMatrix() {
    Mat4 sky{0.2f};
    return glm::scale(sky, Vec3{5000.0f});
}

Mat4 layerGridMatrix(int grid) {
    const Mat4& placed = sceneObjects().layerGrids[static_cast<std::size_t>(grid)];
    if (renderState().layerFilter == kAllLayers) {
        return placed;
    }
    return glm::translate(placed,
                          Vec3{0.0f, 0.0f, gridLift(grid, layerFloor(renderState().layerFilter))});
}

Mat4 orderPlaneMatrix(float height) {
    return glm::translate(sceneObjects().layerGrids[1],
                          Vec3{0.0f, 0.0f, gridLift(1, height - kOrderPlaneDrop)});
}

void drawSky() {
    const ShaderProgram& program = shaderProgram(Program::Starbox);
    if (program.program == 0) {
        return;
    }
    const SkyView view = currentSkyView();
    GLint scene = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &scene);
    if (!(skyCache.view == view) || skyCache.framebuffer == 0) {
        paintSkyCache(program, view);
    }
    // The cached sky onto the scene attachment, the only draw buffer now.
    glBindFramebuffer(GL_READ_FRAMEBUFFER, skyCache.framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(scene));
    glBlitFramebuffer(0, 0, view.width, view.height, 0, 0, view.width, view.height,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(scene));
}

void destroySkyCache() {
    glDeleteFramebuffers(1, &skyCache.framebuffer);
    glDeleteTextures(1, &skyCache.texture);
    forgetSkyCache();
}

void forgetSkyCache() {
    skyCache = SkyCache{};
}

void drawLayerGrids() {
    const ShaderProgram& program = shaderProgram(Program::Field);
    if (program.program == 0) {
        return;
    }
    // The lines fade out toward the rim of the field; added onto the stars
    // they fade into the sky instead of painting it black.
    useGlState({.blend = Blend::Additive, .smoothLines = true});
    useProgram(program.program);
    glBindVertexArray(meshForKind(MeshKind::LayerGrid)->vertexArray);
    glUniform1f(uniformOf(Program::Field, "alpha"), 1.0f);
    const Mat4 viewProjection = sceneViewProjection();
    const GLint mvp = program.uniform(ProjectionSlot);
    drawGrid(mvp, viewProjection, layerGridMatrix(0), GL_LINES);
    drawGrid(mvp, viewProjection, layerGridMatrix(1), GL_LINES);
    glBindVertexArray(0);
}

void drawOrderPlane(float height) {
    const ShaderProgram& program = shaderProgram(Program::Field);
    if (height <= kOrderPlaneOff || program.program == 0) {
        return;
    }
    // A sheet of light over what lies below it, hiding nothing drawn later.
    useGlState({.blend = Blend::Additive, .depthWrites = false});
    useProgram(program.program);
    glBindVertexArray(meshForKind(MeshKind::LayerGrid)->vertexArray);
    glUniform1f(uniformOf(Program::Field, "alpha"), 1.0f);
    // The grid's index list, read as a strip, covers the whole sheet.
    drawGrid(program.uniform(ProjectionSlot), sceneViewProjection(), orderPlaneMatrix(height),
             GL_TRIANGLE_STRIP);
    glBindVertexArray(0);
}
