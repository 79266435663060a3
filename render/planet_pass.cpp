#include "render/planet_pass.h"

#include <algorithm>
#include <vector>

#include "math/degrees.h"
#include "render/gl_state.h"
#include "render/instance_buffer.h"
#include "render/mesh.h"
#include "render/palette.h"
#include "render/pass_support.h"
#include "render/render_state.h"
#include "render/sun_pass.h"
#include "render/texture_manager.h"

namespace {

constexpr float kRallyReach = 1.2f;      // in radii of the target planet
constexpr double kFullClaim = 99.0;      // a claim this high owns the planet
constexpr float kMipmapDistance = 20.0f; // farther planets sample mipmaps
constexpr float kMarkerScale = 0.1f;
constexpr int kNearBand = 15;
constexpr int kMiddleBand = 21;
constexpr int kFarBand = 26;
constexpr int kTooFarBand = 31;
// On-screen diameters below which a coarser sphere looks just as round:
// each keeps its outline within about a quarter pixel of the true circle.
struct SphereTier {
    float maxPixels;
    int kind;
};
constexpr SphereTier kSphereTiers[] = {
    {7.0f, MeshKind::MarkerSphere}, // 8 slices
    {16.0f, kTinySphereKind},       // 12 slices
    {28.0f, MeshKind::MoonSphere},  // 16 slices
    {63.0f, kSmallSphereKind},      // 24 slices
    {170.0f, kMiddleSphereKind},    // 40 slices
};

// Uniform locations of the planetary program, looked up once per pass.
struct PlanetUniforms {
    GLint model;
    GLint normal;
    GLint lightDirection;
    GLint diffuse;
    GLint colorTexture;
    GLint nightTexture;
    GLint drawNight;
    GLint simple;
    GLint instanced;
};

PlanetUniforms lookUpUniforms() {
    const ShaderProgram& program = shaderProgram(Program::Planetary);
    return {program.uniform(ModelMatrixSlot),
            program.uniform(NormalMatrixSlot),
            program.uniform(LightDirectionSlot),
            program.uniform(MaterialDiffuseSlot),
            uniformOf(Program::Planetary, "colorTexture"),
            uniformOf(Program::Planetary, "nightTexture"),
            uniformOf(Program::Planetary, "drawNightVersion"),
            uniformOf(Program::Planetary, "simple"),
            uniformOf(Program::Planetary, "instanced")};
}

void setUpFrame() {
    const ShaderProgram& program = shaderProgram(Program::Planetary);
    useGlState({});
    useProgram(program.program);
    setColor(program.uniform(LightAmbientSlot), renderState().sceneLight.ambientColor);
    setColor(program.uniform(LightDiffuseSlot), renderState().sceneLight.diffuseColor);
    setColor(program.uniform(LightSpecularSlot), renderState().sceneLight.specularColor);
    setMatrix(program.uniform(ProjectionSlot), renderState().projectionMatrix);
    glActiveTexture(GL_TEXTURE0);
    setMatrix(program.uniform(ViewMatrixSlot), sceneView());
    glUniform1i(uniformOf(Program::Planetary, "instances"), kInstanceUnit);
}

bool useDistanceFiltering() {
    return renderState().settings.appliedMipmap == MipmapMode::Off &&
           renderState().settings.appliedFilter == TextureFilter::Linear;
}

// With mipmaps switched off by the player, far planets still sample them so
// their surfaces do not shimmer; near ones stay sharp.
void filterByDistance(float distance) {
    const GLint minFilter = distance > kMipmapDistance ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

void drawMesh(const Mesh& mesh, bool allowWireframe) {
    const GLenum mode =
        allowWireframe && renderState().settings.wireframe ? GL_LINE_LOOP : GL_TRIANGLES;
    glDrawElements(mode, mesh.indexCount, GL_UNSIGNED_INT, nullptr);
}

void setModel(const PlanetUniforms& u, const Mat4& model) {
    setMatrix(u.model, model);
    setMatrix(u.normal, Mat3{model});
}

void drawMarkers(const Planet& planet, const PlanetUniforms& u) {
    const int count = markerCount(planet);
    if (count == 0) {
        return;
    }
    const Mesh* marker = meshForKind(MeshKind::MarkerSphere);
    glBindVertexArray(marker->vertexArray);
    const Vec3 step = glm::normalize(planet.rallyPoint - planet.position);
    for (int k = 0; k < count; ++k) {
        const Vec3 centre = planet.position + step * static_cast<float>(k + 1);
        const Mat4 model = glm::scale(glm::translate(Mat4{1.0f}, centre), Vec3{kMarkerScale});
        setModel(u, model);
        setColor(u.diffuse, markerColor(planet, k));
        drawMesh(*marker, false);
    }
}

// The radius a sphere mesh was built with: its first vertex is a pole.
float sphereRadius(const Mesh& sphere) {
    return sphere.positions.size() >= 3
               ? glm::length(Vec3{sphere.positions[0], sphere.positions[1], sphere.positions[2]})
               : 1.0f;
}

// Planets under 28 pixels across and moons share three coarse spheres and
// a few textures, so they are drawn instanced: six rows each, the model
// matrix, the light's direction and the tint. (Tiny triangles are what a
// software rasteriser pays most for.)
constexpr int kRowsPerSphere = 6;
constexpr int kKeepFilter = -1; // the textures' own filtering

bool isCoarse(int kind) {
    return kind == MeshKind::MarkerSphere || kind == kTinySphereKind ||
           kind == MeshKind::MoonSphere;
}

struct SphereBatch {
    int kind;
    GLuint day;
    GLuint night; // 0 for none
    int filter;   // kKeepFilter, 0 near, 1 far
    std::vector<Vec4> rows;
};

GLuint textureName(const GLuint* holder) {
    return holder != nullptr ? *holder : 0;
}

SphereBatch& batchFor(std::vector<SphereBatch>& batches, int kind, GLuint day, GLuint night,
                      int filter) {
    for (SphereBatch& batch : batches) {
        if (batch.kind == kind && batch.day == day && batch.night == night &&
            batch.filter == filter) {
            return batch;
        }
    }
    return batches.emplace_back(SphereBatch{kind, day, night, filter, {}});
}

void addSphere(SphereBatch& batch, const Mat4& model, const Vec3& light, const Vec4& tint) {
    batch.rows.insert(batch.rows.end(),
                      {model[0], model[1], model[2], model[3], Vec4{light, 0.0f}, tint});
}

void applyFilter(int filter) {
    if (filter != kKeepFilter) {
        filterByDistance(filter == 1 ? 2.0f * kMipmapDistance : 0.0f);
    }
}

// Draws the planet's sphere, or adds it to the coarse batches while it is
// only a few pixels across.
void drawSphere(const Planet& planet, const PlanetUniforms& u, std::vector<SphereBatch>& coarse) {
    const float distance = distanceFromEye(planet.position);
    const int kind = planetSphereKind(planet.radius, distance);
    const Mesh* sphere = meshForKind(kind);
    const Mat4 model = glm::scale(planetModelMatrix(planet), Vec3{1.0f / sphereRadius(*sphere)});
    if (isCoarse(kind)) {
        const GLuint* night = planet.nightTextureKey != TextureKey::None
                                  ? textureManager().texture(planet.nightTextureKey)
                                  : nullptr;
        const int filter =
            useDistanceFiltering() ? (distance > kMipmapDistance ? 1 : 0) : kKeepFilter;
        addSphere(batchFor(coarse, kind, textureName(textureOf(planet.model)), textureName(night),
                           filter),
                  model, planet.position - sunPosition(), planet.model.material.diffuseColor);
        return;
    }
    glBindVertexArray(sphere->vertexArray);
    setVector(u.lightDirection, planet.position - sunPosition());

    glUniform1f(u.drawNight, 0.0f);
    glActiveTexture(GL_TEXTURE0);
    glUniform1i(u.colorTexture, 0);
    bindTexture(textureOf(planet.model));
    if (useDistanceFiltering()) {
        filterByDistance(distance);
    }
    if (planet.nightTextureKey != TextureKey::None) {
        glUniform1f(u.drawNight, 1.0f);
        glActiveTexture(GL_TEXTURE1);
        glUniform1i(u.nightTexture, 1);
        bindTexture(textureManager().texture(planet.nightTextureKey));
        if (useDistanceFiltering()) {
            filterByDistance(distance);
        }
        glActiveTexture(GL_TEXTURE0);
    }
    setModel(u, model);
    setColor(u.diffuse, planet.model.material.diffuseColor);
    drawMesh(*sphere, true);
}

void drawPlanet(Planet& planet, const PlanetUniforms& u, std::vector<SphereBatch>& coarse) {
    tintPlanet(planet, galaxy());
    drawSphere(planet, u, coarse);
    glUniform1f(u.simple, 1.0f);
    if (planet.selected || renderState().settings.showTradeRoutes) {
        drawMarkers(planet, u);
    }
    glUniform1f(u.simple, 0.0f);
    ++renderState().drawnPlanetCount;
}

void drawMoons(std::vector<SphereBatch>& batches) {
    const float moonSphereRadius = sphereRadius(*meshForKind(MeshKind::MoonSphere));
    for (const auto& planet : galaxy().planets) {
        for (const Moon& moon : planet->moons) {
            if (!moon.visible || !passesLayerFilter(moon.layer)) {
                continue;
            }
            const Vec3 where = planet->position + Vec3{moon.orbitOffset};
            Mat4 model = glm::translate(Mat4{1.0f}, where) * moon.model.modelMatrix;
            // A moon's own sphere serves it whenever a finer one would.
            const float radius = moonSphereRadius * glm::length(Vec3{moon.model.modelMatrix[0]});
            int kind = planetSphereKind(radius, distanceFromEye(where));
            if (!isCoarse(kind) || kind == MeshKind::MoonSphere) {
                kind = MeshKind::MoonSphere;
            } else {
                model =
                    glm::scale(model, Vec3{moonSphereRadius / sphereRadius(*meshForKind(kind))});
            }
            addSphere(batchFor(batches, kind, textureName(textureOf(moon.model)), 0, kKeepFilter),
                      model, where - sunPosition(), moon.model.material.diffuseColor);
            ++renderState().drawnPlanetCount;
        }
    }
}

// Every coarse sphere of the frame, one instanced call per set of textures.
void drawCoarseSpheres(const std::vector<SphereBatch>& batches, const PlanetUniforms& u) {
    glUniform1i(u.colorTexture, 0);
    glUniform1i(u.nightTexture, 1);
    glUniform1f(u.instanced, 1.0f);
    const GLenum mode = renderState().settings.wireframe ? GL_LINE_LOOP : GL_TRIANGLES;
    for (const SphereBatch& batch : batches) {
        const Mesh* sphere = meshForKind(batch.kind);
        glBindVertexArray(sphere->vertexArray);
        glUniform1f(u.drawNight, batch.night != 0 ? 1.0f : 0.0f);
        for (const auto& [unit, texture] : {std::pair{1, batch.night}, std::pair{0, batch.day}}) {
            if (unit == 0 || texture != 0) {
                glActiveTexture(GL_TEXTURE0 + unit);
                glBindTexture(GL_TEXTURE_2D, texture);
                applyFilter(batch.filter);
            }
        }
        drawInstances(batch.rows, kRowsPerSphere, [sphere, mode](GLsizei count) {
            glDrawElementsInstanced(mode, sphere->indexCount, GL_UNSIGNED_INT, nullptr, count);
        });
    }
    glUniform1f(u.instanced, 0.0f);
}

void tearDown() {
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindVertexArray(0);
    glGetError(); // nothing drawn here is worth a report
}

} // namespace

namespace PlanetTint {
Material rallyTarget() {
    return tintMaterial({5.5f, 5.7f, 1.5f, 1.0f});
}
Material selected() {
    return tintMaterial({1.5f, 1.7f, 5.5f, 1.0f});
}
Material player() {
    return tintMaterial({0.2f, 0.3f, 5.5f, 1.0f});
}
Material computer() {
    return tintMaterial({5.5f, 0.3f, 0.3f, 1.0f});
}
Material neutral() {
    return tintMaterial(Vec4{1.0f});
}
} // namespace PlanetTint

bool isRallyTarget(const Planet& planet, const Galaxy& galaxy) {
    for (const auto& other : galaxy.planets) {
        if (other.get() != &planet && other->selected &&
            glm::length(other->rallyPoint - planet.position) <= planet.radius * kRallyReach) {
            return true;
        }
    }
    return false;
}

void tintPlanet(Planet& planet, const Galaxy& galaxy) {
    Material& material = planet.model.material;
    if (planet.selected) {
        material = PlanetTint::selected();
    } else if (isRallyTarget(planet, galaxy)) {
        material = PlanetTint::rallyTarget();
    } else if (planet.playerClaim >= kFullClaim) {
        material = PlanetTint::player();
    } else if (planet.computerClaim >= kFullClaim) {
        material = PlanetTint::computer();
    } else {
        material = PlanetTint::neutral();
    }
}

Mat4 planetModelMatrix(const Planet& planet) {
    // The simulation keeps only the spin in the planet's own matrix.
    return glm::scale(glm::translate(Mat4{1.0f}, planet.position) * planet.model.modelMatrix,
                      Vec3{planet.radius});
}

int planetSphereKind(float radius, float distanceFromEye) {
    if (renderState().settings.wireframe) {
        return MeshKind::PlanetSphere;
    }
    const float pixels = static_cast<float>(renderState().windowHeight) * radius /
                         (distanceFromEye * halfAngleTangent(kFieldOfView));
    for (const SphereTier& tier : kSphereTiers) {
        if (pixels < tier.maxPixels) {
            return tier.kind;
        }
    }
    return MeshKind::PlanetSphere;
}

int markerCount(const Planet& planet) {
    return static_cast<int>(glm::length(planet.rallyPoint - planet.position));
}

Vec4 markerColor(const Planet& planet, int index) {
    const Palette& palette = activePalette();
    Vec4 color = planet.model.material.diffuseColor;
    if (index == planet.productionProgress) {
        color = palette.markerProgress;
    } else if (index >= kTooFarBand) {
        color = palette.markerTooFar;
    } else if (index >= kFarBand) {
        color = palette.markerFar;
    } else if (index >= kMiddleBand) {
        color = palette.markerMiddle;
    } else if (index >= kNearBand) {
        color = palette.markerNear;
    }
    const Planet& target = *planet.routeTarget;
    if (target.owner != planet.owner || !isEstablished(planet)) {
        color = palette.markerUnpaid;
    }
    if (&target == &planet || target.routeTarget == &planet) {
        color = palette.markerNoRoute;
    }
    return color;
}

void drawPlanets() {
    if (programId(Program::Planetary) == 0) {
        return;
    }
    setUpFrame();
    const PlanetUniforms u = lookUpUniforms();
    glUniform1f(u.simple, 0.0f);
    std::vector<SphereBatch> coarse;
    for (const auto& planet : galaxy().planets) {
        if (planet->visible && passesLayerFilter(planet->layer)) {
            drawPlanet(*planet, u, coarse);
        }
    }
    drawMoons(coarse);
    drawCoarseSpheres(coarse, u);
    tearDown();
}
