#include "render/overlay_pass.h"

#include "render/billboard.h"
#include "render/gl_state.h"
#include "render/palette.h"
#include "render/pass_support.h"
#include "render/quads.h"
#include "render/ship_pass.h"
#include "render/texture_manager.h"

namespace {

constexpr double kFullClaim = 99.0;

struct OverlayUniforms {
    GLint model;
    GLint playerBalance;
    GLint computerBalance;
    GLint kind;
    GLint colorTexture;
};

void drawBillboard(const OverlayUniforms& u, const Mat4& viewProjection, const GLuint* texture,
                   const Mat4& model) {
    bindTexture(texture);
    glUniform1i(u.colorTexture, 0);
    setMatrix(u.model, viewProjection * model);
    glDrawElements(GL_TRIANGLES, kQuadIndexCount, GL_UNSIGNED_INT, nullptr);
}

void drawIcons(const OverlayUniforms& u, const Mat4& viewProjection, const ShipList& ships) {
    const Mat4 iconScale{1.0f}; // the quad's own 2 x 2 units
    for (const ShipRef& ship : ships) {
        if (!isIconShown(*ship)) {
            continue;
        }
        float kind = BillboardKind::ComputerIcon;
        if (ship->isPlayer) {
            kind = ship->selected ? BillboardKind::SelectedPlayerIcon : BillboardKind::PlayerIcon;
        }
        glUniform1f(u.kind, kind);
        drawBillboard(u, viewProjection, textureManager().texture(ship->iconTextureKey),
                      facingCamera(ship->position, iconScale));
    }
}

void drawClaimBars(const OverlayUniforms& u, const Mat4& viewProjection) {
    const auto& planets = galaxy().planets;
    const auto& bars = balanceBars();
    for (std::size_t i = 0; i < planets.size() && i < bars.size(); ++i) {
        const Planet& planet = *planets[i];
        const Billboard& bar = bars[i];
        if (!isContested(planet) || !isAtShownHeight(bar.position.y)) {
            continue;
        }
        glUniform1f(u.playerBalance, static_cast<float>(planet.playerClaim));
        glUniform1f(u.computerBalance, static_cast<float>(planet.computerClaim));
        drawBillboard(u, viewProjection, bar.texture, facingCamera(bar.position, bar.modelMatrix));
    }
}

// Icons and bars in the active palette's side colours.
void setSideColors() {
    const Palette& palette = activePalette();
    setVector(uniformOf(Program::Billboard, "playerColor"), Vec3{palette.playerIcon});
    setVector(uniformOf(Program::Billboard, "selectedColor"), Vec3{palette.selectedIcon});
    setVector(uniformOf(Program::Billboard, "computerColor"), Vec3{palette.computerIcon});
}

} // namespace

bool isIconShown(const Ship& ship) {
    return ship.visible && distanceFromEye(ship.position) > kShipFarCutoff &&
           isAtShownHeight(ship.position.y);
}

bool isContested(const Planet& planet) {
    return planet.playerClaim < kFullClaim && planet.computerClaim < kFullClaim &&
           (planet.playerClaim != 0.0 || planet.computerClaim != 0.0);
}

void drawOverlays() {
    const GLuint program = programId(Program::Billboard);
    if (program == 0) {
        return;
    }
    // Icons and bars lie over the whole scene.
    useGlState({.cullFaces = false, .blend = blendIfTransparent(Blend::Alpha), .depthTest = false});
    useProgram(program);
    glBindVertexArray(billboardQuad().vertexArray);
    const OverlayUniforms u{
        shaderProgram(Program::Billboard).uniform(ModelMatrixSlot),
        uniformOf(Program::Billboard, "playerbalance"), uniformOf(Program::Billboard, "aibalance"),
        uniformOf(Program::Billboard, "selected"), uniformOf(Program::Billboard, "colorTexture")};
    glActiveTexture(GL_TEXTURE0);
    setSideColors();

    const Mat4 viewProjection = sceneViewProjection();
    drawIcons(u, viewProjection, galaxy().playerShips);
    drawIcons(u, viewProjection, galaxy().computerShips);
    glUniform1f(u.kind, BillboardKind::ClaimBar);
    drawClaimBars(u, viewProjection);

    glBindVertexArray(0);
    glGetError(); // nothing drawn here is worth a report
}
