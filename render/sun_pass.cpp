#include "render/sun_pass.h"

#include <array>

#include "math/camera.h"
#include "math/degrees.h"
#include "math/rotations.h"
#include "render/gl_state.h"
#include "render/pass_support.h"
#include "render/quads.h"
#include "render/render_state.h"
#include "render/scene_objects.h"
#include "sim/visibility.h"

namespace {

Vec3 sun = kSunStartPosition;

// Degrees per second of frame time.
constexpr float kOrbitRate = 3.1415927f / 10.0f;

// The flare only shows once the sun is this far ahead, squared.
constexpr float kFlareMinimumAheadSquared = 69.0f;

// Indices into the scene's flare billboards, named after their images.
constexpr int kFlare1 = 0;
constexpr int kFlare2 = 1;
constexpr int kFlare3 = 2;
constexpr int kFlare4 = 3;
constexpr int kFlare01 = 4;
constexpr int kLensStar = 14;

// One element of the flare. Its alpha and scale are `a` (how far ahead the
// sun lies) divided by the given values; a divisor of 0 means the fixed
// value instead. It sits the fraction `along` of the way from the sun to
// the centre of the view.
struct FlareElement {
    int sprite;
    Vec3 rgb;
    float alphaDivisor;
    float scaleDivisor;
    float along;
};

constexpr float kStarAlpha = 1.0f;
constexpr float kStarScale = 30.0f;

constexpr std::array<FlareElement, 14> kFlare{{
    {kLensStar, {1.0f, 0.2f, 0.3f}, 0.0f, 0.0f, 0.0f},
    {kLensStar, {0.9f, 0.2f, 0.1f}, 180.0f, 30.0f, 0.1f},
    {kFlare2, {0.9f, 0.2f, 0.9f}, 180.0f, 40.0f, 0.15f},
    {kFlare1, {0.9f, 0.9f, 0.9f}, 180.0f, 40.0f, 0.175f},
    {kFlare2, {0.9f, 0.9f, 0.1f}, 180.0f, 18.0f, 0.285f},
    {kFlare1, {0.9f, 0.2f, 0.1f}, 180.0f, 17.0f, 0.2755f},
    {kFlare3, {0.1f, 0.6f, 0.6f}, 180.0f, 35.0f, 0.4775f},
    {kFlare01, {0.1f, 0.2f, 0.6f}, 180.0f, 25.0f, 0.49f},
    {kFlare4, {0.1f, 0.2f, 0.1f}, 180.0f, 15.0f, 0.65f},
    {kFlare1, {0.5f, 0.3f, 0.1f}, 180.0f, 20.0f, 0.63f},
    {kFlare01, {0.8f, 0.2f, 0.1f}, 105.0f, 30.0f, 0.8f},
    {kFlare1, {0.4f, 0.6f, 0.2f}, 175.0f, 40.0f, 0.7825f},
    {kFlare3, {0.2f, 0.2f, 0.2f}, 150.0f, 50.0f, 1.0f},
    {kFlare4, {0.3f, 0.4f, 0.1f}, 120.0f, 50.0f, 0.975f},
}};

void drawQuad(GLint modelLocation, const Mat4& model) {
    setMatrix(modelLocation, sceneViewProjection() * model);
    glDrawElements(GL_TRIANGLES, kQuadIndexCount, GL_UNSIGNED_INT, nullptr);
}

void endBillboardPass() {
    glBindVertexArray(0);
    glGetError(); // nothing drawn here is worth a report
}

} // namespace

Vec3 sunPosition() {
    return sun;
}

void setSunPosition(const Vec3& position) {
    sun = position;
}

void orbitSun(double frameDelta) {
    const float degrees = static_cast<float>(frameDelta) * kOrbitRate;
    const Mat3 turn{rotateDegrees(Mat4{1.0f}, degrees, Vec3{0.0f, 1.0f, 0.0f})};
    sun = turn * sun;
}

std::vector<FlareSprite> layOutLensFlare(const Vec3& eye, const Vec3& target, const Vec3& sun) {
    std::vector<FlareSprite> sprites;
    const Vec3 view = glm::normalize(target - eye);
    const float ahead = glm::dot(eye - sun, view); // negative: the sun is in front
    if (ahead >= 0.0f || ahead * ahead <= kFlareMinimumAheadSquared) {
        return sprites;
    }
    const float a = -ahead;
    const Vec3 centre = eye + view * glm::length(eye - sun);
    const Vec3 across = centre - sun;
    sprites.reserve(kFlare.size());
    for (const FlareElement& element : kFlare) {
        const float alpha = element.alphaDivisor > 0.0f ? a / element.alphaDivisor : kStarAlpha;
        const float scale = element.scaleDivisor > 0.0f ? a / element.scaleDivisor : kStarScale;
        sprites.push_back(
            {element.sprite, Vec4{element.rgb, alpha}, sun + across * element.along, scale});
    }
    return sprites;
}

void drawSun() {
    orbitSun(galaxy().frameDelta);
    const GLuint program = programId(Program::Billboard);
    if (program == 0) {
        return;
    }
    useGlState({.cullFaces = false, .blend = blendIfTransparent(Blend::Glow)});
    useProgram(program);
    glBindVertexArray(billboardQuad().vertexArray);
    const GLint time = uniformOf(Program::Billboard, "time");
    glActiveTexture(GL_TEXTURE0);

    const Billboard& disc = sceneObjects().sun;
    bindTexture(disc.texture);
    glUniform1f(time, static_cast<float>(galaxy().elapsedTime));
    drawQuad(shaderProgram(Program::Billboard).uniform(ModelMatrixSlot),
             facingCamera(sun, disc.modelMatrix));
    // Icons and bars share the program and must not be drawn as the sun.
    glUniform1f(time, -1.0f);
    endBillboardPass();
}

void drawLensFlare() {
    if (!isLightSourceVisible(sun, renderState().layerFilter) ||
        !renderState().settings.lensFlareEnabled) {
        return;
    }
    const GLuint program = programId(Program::LensFlare);
    if (program == 0) {
        return;
    }
    // The flare is light in the lens, over everything in the view.
    useGlState({.cullFaces = false, .blend = blendIfTransparent(Blend::Glow), .depthTest = false});
    useProgram(program);
    glBindVertexArray(billboardQuad().vertexArray);
    const GLint color = uniformOf(Program::LensFlare, "color");
    glActiveTexture(GL_TEXTURE0);

    const Camera& cam = camera();
    const Mat4 facing = billboardRotation(glm::normalize(cam.target - cam.eye));
    const GLint model = shaderProgram(Program::LensFlare).uniform(ModelMatrixSlot);
    const auto& flares = sceneObjects().flares;
    for (const FlareSprite& sprite : layOutLensFlare(cam.eye, cam.target, sun)) {
        bindTexture(flares[static_cast<std::size_t>(sprite.sprite)].texture);
        setColor(color, sprite.color);
        drawQuad(model, glm::scale(glm::translate(Mat4{1.0f}, sprite.position) * facing,
                                   Vec3{sprite.scale}));
    }
    endBillboardPass();
}
