#include "render/planet_pass.h"

#include "math/degrees.h"
#include "render/mesh.h"
#include "render/pass_support.h"
#include "render/render_settings.h"
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
constexpr float kCoarseSphereMaxPixels = 28.0f;  // 16 slices
constexpr float kMiddleSphereMaxPixels = 170.0f; // 40 slices

Material tint(const Vec4& diffuse) {
    Material material;
    material.ambientColor = Vec4{1.0f};
    material.diffuseColor = diffuse;
    material.specularColor = Vec4{1.0f};
    material.specularExponent = 0.5f;
    return material;
}

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
            uniformOf(Program::Planetary, "simple")};
}

void setUpFrame() {
    const ShaderProgram& program = shaderProgram(Program::Planetary);
    glEnable(GL_CULL_FACE);
    glUseProgram(program.program);
    setColor(program.uniform(LightAmbientSlot), sceneLight.ambientColor);
    setColor(program.uniform(LightDiffuseSlot), sceneLight.diffuseColor);
    setColor(program.uniform(LightSpecularSlot), sceneLight.specularColor);
    setMatrix(program.uniform(ProjectionSlot), projectionMatrix);
    glActiveTexture(GL_TEXTURE0);
    setMatrix(program.uniform(ViewMatrixSlot), sceneView());
}

bool useDistanceFiltering() {
    return renderSettings.appliedMipmap == MipmapMode::Off &&
           renderSettings.appliedFilter == TextureFilter::Linear;
}

// With mipmaps switched off by the player, far planets still sample them so
// their surfaces do not shimmer; near ones stay sharp.
void filterByDistance(float distance) {
    const GLint minFilter = distance > kMipmapDistance ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

void drawMesh(const Mesh& mesh, bool allowWireframe) {
    const GLenum mode = allowWireframe && renderSettings.wireframe ? GL_LINE_LOOP : GL_TRIANGLES;
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

void drawPlanet(Planet& planet, const PlanetUniforms& u) {
    const float distance = distanceFromEye(planet.position);
    const Mesh* sphere = meshForKind(planetSphereKind(planet.radius, distance));
    glBindVertexArray(sphere->vertexArray);
    tintPlanet(planet, galaxy());
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
        bindTexture(TextureManager::getInstance()->texture(planet.nightTextureKey));
        if (useDistanceFiltering()) {
            filterByDistance(distance);
        }
        glActiveTexture(GL_TEXTURE0);
    }
    setModel(u, glm::scale(planetModelMatrix(planet), Vec3{1.0f / sphereRadius(*sphere)}));
    setColor(u.diffuse, planet.model.material.diffuseColor);
    drawMesh(*sphere, true);

    glUniform1f(u.simple, 1.0f);
    if (planet.selected || renderSettings.showTradeRoutes) {
        drawMarkers(planet, u);
    }
    glUniform1f(u.simple, 0.0f);
    ++drawnPlanetCount;
}

void drawMoons(const PlanetUniforms& u) {
    const Mesh* sphere = meshForKind(MeshKind::MoonSphere);
    glBindVertexArray(sphere->vertexArray);
    glActiveTexture(GL_TEXTURE0);
    glUniform1f(u.drawNight, 0.0f);
    for (const auto& planet : galaxy().planets) {
        for (const Moon& moon : planet->moons) {
            if (!moon.visible || !passesLayerFilter(moon.layer)) {
                continue;
            }
            const Vec3 where = planet->position + Vec3{moon.orbitOffset};
            setModel(u, glm::translate(Mat4{1.0f}, where) * moon.model.modelMatrix);
            bindTexture(textureOf(moon.model));
            glUniform1i(u.colorTexture, 0);
            setVector(u.lightDirection, where - sunPosition());
            setColor(u.diffuse, moon.model.material.diffuseColor);
            drawMesh(*sphere, true);
            ++drawnPlanetCount;
        }
    }
}

void tearDown() {
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindVertexArray(0);
    glGetError(); // nothing drawn here is worth a report
    glDisable(GL_CULL_FACE);
    glUseProgram(0);
}

} // namespace

namespace PlanetTint {
Material rallyTarget() {
    return tint({5.5f, 5.7f, 1.5f, 1.0f});
}
Material selected() {
    return tint({1.5f, 1.7f, 5.5f, 1.0f});
}
Material player() {
    return tint({0.2f, 0.3f, 5.5f, 1.0f});
}
Material computer() {
    return tint({5.5f, 0.3f, 0.3f, 1.0f});
}
Material neutral() {
    return tint(Vec4{1.0f});
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
    const float pixels = static_cast<float>(windowHeight) * radius /
                         (distanceFromEye * halfAngleTangent(kFieldOfView));
    if (pixels < kCoarseSphereMaxPixels) {
        return MeshKind::MoonSphere;
    }
    return pixels < kMiddleSphereMaxPixels ? kMiddleSphereKind : MeshKind::PlanetSphere;
}

int markerCount(const Planet& planet) {
    return static_cast<int>(glm::length(planet.rallyPoint - planet.position));
}

Vec4 markerColor(const Planet& planet, int index) {
    Vec4 color = planet.model.material.diffuseColor;
    if (index == planet.productionProgress) {
        color = MarkerColor::Progress;
    } else if (index >= kTooFarBand) {
        color = MarkerColor::TooFar;
    } else if (index >= kFarBand) {
        color = MarkerColor::Far;
    } else if (index >= kMiddleBand) {
        color = MarkerColor::Middle;
    } else if (index >= kNearBand) {
        color = MarkerColor::Near;
    }
    const Planet& target = *planet.routeTarget;
    if (target.owner != planet.owner || !isEstablished(planet)) {
        color = MarkerColor::Unpaid;
    }
    if (&target == &planet || target.routeTarget == &planet) {
        color = MarkerColor::NoRoute;
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
    for (const auto& planet : galaxy().planets) {
        if (planet->visible && passesLayerFilter(planet->layer)) {
            drawPlanet(*planet, u);
        }
    }
    drawMoons(u);
    tearDown();
}
