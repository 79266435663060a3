#include "render/sky_pass.h"

#include "render/mesh.h"
#include "render/pass_support.h"
#include "render/render_settings.h"
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

} // namespace

Mat4 skyMatrix() {
    Mat4 sky{0.2f};
    return glm::scale(sky, Vec3{5000.0f});
}

Mat4 layerGridMatrix(int grid) {
    const Mat4& placed = sceneObjects().layerGrids[static_cast<std::size_t>(grid)];
    if (layerFilter == kAllLayers) {
        return placed;
    }
    const float height = kLayerSpacing * static_cast<float>(layerFilter);
    return glm::translate(placed, Vec3{0.0f, 0.0f, gridLift(grid, height)});
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
    glUseProgram(program.program);
    glDisable(GL_CULL_FACE);
    glDepthMask(GL_FALSE);
    const Mesh* sphere = meshForKind(MeshKind::SkySphere);
    glBindVertexArray(sphere->vertexArray);
    setMatrix(program.uniform(ProjectionSlot), projectionMatrix);
    glActiveTexture(GL_TEXTURE0);
    bindTexture(TextureManager::getInstance()->texture(kSkyTexture));
    glUniform1i(uniformOf(Program::Starbox, "colorTexture"), 0);
    setMatrix(program.uniform(ModelMatrixSlot), skyMatrix());
    setMatrix(program.uniform(ViewMatrixSlot), sceneView());
    glDrawElements(GL_TRIANGLES, sphere->indexCount, GL_UNSIGNED_INT, nullptr);

    glBindTexture(GL_TEXTURE_2D, 0);
    glBindVertexArray(0);
    glEnable(GL_CULL_FACE);
    glDepthMask(GL_TRUE);
    glUseProgram(0);
}

void drawLayerGrids() {
    const ShaderProgram& program = shaderProgram(Program::Field);
    if (program.program == 0) {
        return;
    }
    glEnable(GL_LINE_SMOOTH);
    // The lines fade out toward the rim of the field; added onto the stars
    // they fade into the sky instead of painting it black.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glUseProgram(program.program);
    glBindVertexArray(meshForKind(MeshKind::LayerGrid)->vertexArray);
    glUniform1f(uniformOf(Program::Field, "alpha"), 1.0f);
    const Mat4 viewProjection = sceneViewProjection();
    const GLint mvp = program.uniform(ProjectionSlot);
    drawGrid(mvp, viewProjection, layerGridMatrix(0), GL_LINES);
    drawGrid(mvp, viewProjection, layerGridMatrix(1), GL_LINES);
    glBindVertexArray(0);
    glUseProgram(0);
    glDisable(GL_BLEND);
    glDisable(GL_LINE_SMOOTH);
}

void drawOrderPlane(float height) {
    const ShaderProgram& program = shaderProgram(Program::Field);
    if (height <= kOrderPlaneOff || program.program == 0) {
        return;
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glDepthMask(GL_FALSE);
    glEnable(GL_LINE_SMOOTH);
    glUseProgram(program.program);
    glBindVertexArray(meshForKind(MeshKind::LayerGrid)->vertexArray);
    glUniform1f(uniformOf(Program::Field, "alpha"), 1.0f);
    // The grid's index list, read as a strip, covers the whole sheet.
    drawGrid(program.uniform(ProjectionSlot), sceneViewProjection(), orderPlaneMatrix(height),
             GL_TRIANGLE_STRIP);
    glBindVertexArray(0);
    glUseProgram(0);
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
}
