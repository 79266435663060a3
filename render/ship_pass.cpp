#include "render/ship_pass.h"

#include <glm/gtc/matrix_inverse.hpp>

#include "math/rotations.h"
#include "render/mesh.h"
#include "render/pass_support.h"
#include "render/render_settings.h"
#include "render/sun_pass.h"
#include "sim/clock.h"
#include "sim/orientation.h"

namespace {

Material shipMaterial(const Vec4& diffuse) {
    Material material;
    material.ambientColor = Vec4{1.0f};
    material.diffuseColor = diffuse;
    material.specularColor = Vec4{1.0f};
    material.specularExponent = 0.5f;
    return material;
}

bool isNearForeignPlanet(const Ship& ship, const Galaxy& galaxy) {
    for (const auto& planet : galaxy.planets) {
        if (planet->owner != Side::Player &&
            glm::length(planet->position - ship.position) <= galaxy.captureRadius) {
            return true;
        }
    }
    return false;
}

bool isNearEnough(const Ship& ship) {
    return ship.visible && distanceFromEye(ship.position) <= kShipFarCutoff;
}

struct ShipUniforms {
    GLint model;
    GLint normal;
    GLint lightDirection;
    GLint ambient;
    GLint diffuse;
    GLint specular;
    GLint exponent;
};

// Lights, projection, view and texture unit once per pass; the hull pass aims the light from
// the sun per ship, the turret pass keeps the scene light's direction.
ShipUniforms setUpPass(bool turrets) {
    const ShaderProgram& program = shaderProgram(Program::Ship);
    glUseProgram(program.program);
    if (turrets) {
        setVector(program.uniform(LightDirectionSlot), sceneLight.direction);
    }
    setColor(program.uniform(LightAmbientSlot), sceneLight.ambientColor);
    setColor(program.uniform(LightDiffuseSlot), sceneLight.diffuseColor);
    setColor(program.uniform(LightSpecularSlot), sceneLight.specularColor);
    setMatrix(program.uniform(ProjectionSlot), projectionMatrix);
    setMatrix(program.uniform(ViewMatrixSlot), sceneView());
    glActiveTexture(GL_TEXTURE0);
    glUniform1i(uniformOf(Program::Ship, "colorTexture"), 0);
    return {program.uniform(ModelMatrixSlot),     program.uniform(NormalMatrixSlot),
            program.uniform(LightDirectionSlot),  program.uniform(MaterialAmbientSlot),
            program.uniform(MaterialDiffuseSlot), program.uniform(MaterialSpecularSlot),
            program.uniform(MaterialExponentSlot)};
}

// Places a part of the ship: its own matrix, then the yaw, the pitch and
// the move to the ship. Normals turn with the whole model, so the lit side
// of a hull always faces the sun.
void uploadModel(const ShipUniforms& u, const Mat4& model) {
    setMatrix(u.model, model);
    setMatrix(u.normal, glm::inverseTranspose(Mat3{model}));
}

void uploadMaterial(const ShipUniforms& u, const ModelInstance& part) {
    bindTexture(textureOf(part));
    const Material& m = part.material;
    setColor(u.ambient, m.ambientColor);
    setColor(u.diffuse, m.diffuseColor);
    setColor(u.specular, m.specularColor);
    glUniform1f(u.exponent, m.specularExponent);
}

Mat4 placeOnShip(const Ship& ship, const Mat4& yaw, const Mat4& own) {
    return glm::translate(Mat4{1.0f}, ship.position) * hullPitch(ship) * yaw * own;
}

void drawHull(Ship& ship, const ShipUniforms& u) {
    const Mesh* mesh = meshForKind(hullMeshKind(distanceFromEye(ship.position)));
    glBindVertexArray(mesh->vertexArray);
    ModelInstance& hull = ship.hullModel[0];
    if (ship.isPlayer) {
        hull.material = playerShipMaterial(ship, galaxy());
    }
    setVector(u.lightDirection, ship.position - sunPosition());
    uploadModel(u, placeOnShip(ship, hullYaw(ship), hull.modelMatrix));
    uploadMaterial(u, hull);
    const GLenum mode = renderSettings.wireframe ? GL_LINE_LOOP : GL_TRIANGLES;
    glDrawElements(mode, mesh->indexCount, GL_UNSIGNED_INT, nullptr);
    ++drawnShipCount;
}

void drawTurret(Ship& ship, const ShipUniforms& u, double now) {
    ModelInstance& turret = ship.turretModel;
    const Mesh* mesh = meshForKind(MeshKind::Turret);
    glBindVertexArray(mesh->vertexArray);
    const Mat4 yaw = headingYaw(ship.position, turretAimPoint(ship, now), ship.turretReference);
    uploadModel(u, placeOnShip(ship, yaw, turret.modelMatrix));
    turret.material =
        ship.isPlayer ? playerShipMaterial(ship, galaxy()) : ShipMaterial::computerTurret();
    uploadMaterial(u, turret);
    glDrawElements(GL_TRIANGLES, mesh->indexCount, GL_UNSIGNED_INT, nullptr);
}

void endPass() {
    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glUseProgram(0);
}

} // namespace

namespace ShipMaterial {
Material selected() {
    return shipMaterial({2.5f, 0.5f, 0.0f, 1.0f});
}
Material atForeignPlanet() {
    return shipMaterial({0.0f, 1.0f, 0.0f, 1.0f});
}
Material idle() {
    return shipMaterial({0.6f, 0.8f, 1.0f, 1.0f});
}
Material computerTurret() {
    return shipMaterial({1.0f, 0.8f, 0.6f, 1.0f});
}
} // namespace ShipMaterial

Material playerShipMaterial(const Ship& ship, const Galaxy& galaxy) {
    if (ship.selected) {
        return ShipMaterial::selected();
    }
    if (isNearForeignPlanet(ship, galaxy)) {
        return ShipMaterial::atForeignPlanet();
    }
    return ShipMaterial::idle();
}

bool isHullShown(const Ship& ship) {
    const bool anyLayer = ship.isPlayer && ship.selected;
    return isNearEnough(ship) && (anyLayer || isAtShownHeight(ship.position.y));
}

bool isTurretShown(const Ship& ship) {
    return isNearEnough(ship) && isAtShownHeight(ship.position.y);
}

int hullMeshKind(float distanceFromEye) {
    return distanceFromEye <= kHullDetailDistance ? MeshKind::HullHigh : MeshKind::HullLow;
}

void drawShips() {
    if (programId(Program::Ship) == 0) {
        return;
    }
    const ShipUniforms u = setUpPass(false);
    for (const ShipList* ships : {&galaxy().playerShips, &galaxy().computerShips}) {
        for (const ShipRef& ship : *ships) {
            if (isHullShown(*ship)) {
                drawHull(*ship, u);
            }
        }
    }
    endPass();
}

void drawTurrets() {
    if (programId(Program::Ship) == 0) {
        return;
    }
    const ShipUniforms u = setUpPass(true);
    const double now = currentTime();
    for (const ShipList* ships : {&galaxy().playerShips, &galaxy().computerShips}) {
        for (const ShipRef& ship : *ships) {
            if (isTurretShown(*ship)) {
                drawTurret(*ship, u, now);
            }
        }
    }
    endPass();
}
