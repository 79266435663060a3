#include "render/ship_pass.h"

#include <algorithm>
#include <vector>

#include "math/camera.h"
#include "math/degrees.h"
#include "math/rotations.h"
#include "render/gl_state.h"
#include "render/instance_buffer.h"
#include "render/mesh.h"
#include "render/palette.h"
#include "render/pass_support.h"
#include "render/render_state.h"
#include "render/sun_pass.h"
#include "sim/clock.h"
#include "sim/orientation.h"

namespace {

bool isNearEnough(const Ship& ship) {
    return ship.visible && distanceFromEye(ship.position) <= kShipFarCutoff;
}

// Eight rows per hull or turret: the model matrix, the light's direction,
// and the material's ambient, diffuse and specular colours with the
// specular exponent last.
constexpr int kRowsPerPart = 8;

// The parts that share a mesh and a texture, drawn with one call.
struct Batch {
    const Mesh* mesh;
    GLuint texture;
    std::vector<Vec4> rows;
};

Batch& batchFor(std::vector<Batch>& batches, const Mesh* mesh, const ModelInstance& part) {
    const GLuint* holder = textureOf(part);
    const GLuint texture = holder != nullptr ? *holder : 0;
    for (Batch& batch : batches) {
        if (batch.mesh == mesh && batch.texture == texture) {
            return batch;
        }
    }
    return batches.emplace_back(Batch{mesh, texture, {}});
}

// Places a part of the ship: its own matrix, then the yaw, the pitch and
// the move to the ship. Normals turn with the whole model, so the lit side
// of a hull always faces the sun.
void addPart(Batch& batch, const Mat4& model, const Vec3& light, const Material& m) {
    std::vector<Vec4>& rows = batch.rows;
    rows.insert(rows.end(),
                {model[0], model[1], model[2], model[3], Vec4{light, 0.0f}, m.ambientColor,
                 m.diffuseColor, Vec4{Vec3{m.specularColor}, m.specularExponent}});
}

Mat4 placeOnShip(const Ship& ship, const Mat4& yaw, const Mat4& own) {
    return glm::translate(Mat4{1.0f}, ship.position) * hullPitch(ship) * yaw * own;
}

// Light, projection, view and texture units once per pass.
void setUpPass() {
    const ShaderProgram& program = shaderProgram(Program::Ship);
    useGlState({});
    useProgram(program.program);
    setColor(program.uniform(LightAmbientSlot), renderState().sceneLight.ambientColor);
    setColor(program.uniform(LightDiffuseSlot), renderState().sceneLight.diffuseColor);
    setColor(program.uniform(LightSpecularSlot), renderState().sceneLight.specularColor);
    setMatrix(program.uniform(ProjectionSlot), sceneViewProjection());
    setVector(uniformOf(Program::Ship, "eyePosition"), camera().eye);
    glUniform1i(uniformOf(Program::Ship, "instances"), kInstanceUnit);
    glActiveTexture(GL_TEXTURE0);
    glUniform1i(uniformOf(Program::Ship, "colorTexture"), 0);
}

void drawBatches(const std::vector<Batch>& batches, GLenum mode) {
    for (const Batch& batch : batches) {
        glBindVertexArray(batch.mesh->vertexArray);
        glBindTexture(GL_TEXTURE_2D, batch.texture);
        drawInstances(batch.rows, kRowsPerPart, [&batch, mode](GLsizei count) {
            glDrawElementsInstanced(mode, batch.mesh->indexCount, GL_UNSIGNED_INT, nullptr, count);
        });
    }
}

// The longest side of a mesh, in model units.
float meshLength(int kind) {
    const Mesh* mesh = meshForKind(kind);
    Vec3 low{0.0f};
    Vec3 high{0.0f};
    for (std::size_t i = 0; i + 3 < mesh->positions.size(); i += 4) {
        const Vec3 p{mesh->positions[i], mesh->positions[i + 1], mesh->positions[i + 2]};
        low = i == 0 ? p : glm::min(low, p);
        high = i == 0 ? p : glm::max(high, p);
    }
    const Vec3 size = high - low;
    return std::max({size.x, size.y, size.z});
}

// How many pixels a part of `meshLength` model units spans on screen.
float partPixels(const ModelInstance& part, float meshLength, const Ship& ship) {
    const float length = meshLength * glm::length(Vec3{part.modelMatrix[0]});
    return pixelsOnScreen(length, distanceFromEye(ship.position));
}

// The hull's mesh by distance and size on screen, aimed at the sun; a
// player hull wears the colour of what the ship is doing. Wireframes keep
// the plain hull's lines.
void addHull(std::vector<Batch>& batches, Ship& ship, float hullMeshLength,
             const ForeignPlanets& foreign) {
    ModelInstance& hull = ship.hullModel[0];
    const bool far = !renderState().settings.wireframe &&
                     partPixels(hull, hullMeshLength, ship) < kHullFarPixels;
    const int kind = hullMeshKind(distanceFromEye(ship.position));
    const Mesh* mesh = meshForKind(kind == MeshKind::HullLow && far ? kHullFarKind : kind);
    if (ship.isPlayer) {
        hull.material = playerShipMaterial(ship, foreign);
    }
    addPart(batchFor(batches, mesh, hull), placeOnShip(ship, hullYaw(ship), hull.modelMatrix),
            ship.position - sunPosition(), hull.material);
    ++renderState().drawnShipCount;
}

void addTurret(std::vector<Batch>& batches, Ship& ship, double now, float pixels,
               const ForeignPlanets& foreign) {
    ModelInstance& turret = ship.turretModel;
    const Mat4 yaw = headingYaw(ship.position, turretAimPoint(ship, now), ship.turretReference);
    turret.material =
        ship.isPlayer ? playerShipMaterial(ship, foreign) : ShipMaterial::computerTurret();
    addPart(batchFor(batches, meshForKind(turretMeshKind(pixels)), turret),
            placeOnShip(ship, yaw, turret.modelMatrix), renderState().sceneLight.direction,
            turret.material);
}

void endPass() {
    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

} // namespace

namespace ShipMaterial {
Material selected() {
    return tintMaterial(activePalette().shipSelected);
}
Material atForeignPlanet() {
    return tintMaterial(activePalette().shipAtForeignPlanet);
}
Material idle() {
    return tintMaterial(activePalette().shipIdle);
}
Material computerTurret() {
    return tintMaterial({1.0f, 0.8f, 0.6f, 1.0f});
}
} // namespace ShipMaterial

Material playerShipMaterial(const Ship& ship, const ForeignPlanets& foreign) {
    if (ship.selected) {
        return ShipMaterial::selected();
    }
    if (foreign.isNear(ship.position)) {
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

float pixelsOnScreen(float length, float distanceFromEye) {
    return static_cast<float>(renderState().windowHeight) * length /
           (2.0f * distanceFromEye * halfAngleTangent(kFieldOfView));
}

int turretMeshKind(float pixels) {
    return pixels < kTurretDetailPixels ? kTurretLowKind : MeshKind::Turret;
}

int hullMeshKind(float distanceFromEye) {
    return distanceFromEye <= kHullDetailDistance ? MeshKind::HullHigh : MeshKind::HullLow;
}

void drawShips() {
    if (programId(Program::Ship) == 0) {
        return;
    }
    std::vector<Batch> batches;
    const float hullMeshLength = meshLength(MeshKind::HullLow);
    const ForeignPlanets foreign(galaxy());
    for (const ShipList* ships : {&galaxy().playerShips, &galaxy().computerShips}) {
        for (const ShipRef& ship : *ships) {
            if (isHullShown(*ship)) {
                addHull(batches, *ship, hullMeshLength, foreign);
            }
        }
    }
    setUpPass();
    drawBatches(batches, renderState().settings.wireframe ? GL_LINE_LOOP : GL_TRIANGLES);
    endPass();
}

void drawTurrets() {
    if (programId(Program::Ship) == 0) {
        return;
    }
    std::vector<Batch> batches;
    const double now = currentTime();
    const float turretMeshLength = meshLength(MeshKind::Turret);
    const ForeignPlanets foreign(galaxy());
    for (const ShipList* ships : {&galaxy().playerShips, &galaxy().computerShips}) {
        for (const ShipRef& ship : *ships) {
            const float pixels = partPixels(ship->turretModel, turretMeshLength, *ship);
            if (isTurretShown(*ship) && pixels >= kTurretMinPixels) {
                addTurret(batches, *ship, now, pixels, foreign);
            }
        }
    }
    setUpPass();
    drawBatches(batches, GL_TRIANGLES);
    endPass();
}
