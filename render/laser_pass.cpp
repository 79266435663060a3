#include "render/laser_pass.h"

#include <algorithm>

#include "math/degrees.h"
#include "math/rotations.h"
#include "render/pass_support.h"
#include "render/quads.h"
#include "render/texture_manager.h"
#include "sim/orientation.h"
#include "sim/visibility.h"

namespace {

// Half a unit long, a tenth of a unit across.
constexpr Vec3 kBoltScale{0.25f, 0.05f, 0.05f};

void gather(const ShipList& ships, std::vector<const LaserShot*>& shots) {
    for (const ShipRef& ship : ships) {
        for (const LaserShot& shot : ship->lasers) {
            shots.push_back(&shot);
        }
    }
}

Mat4 turnToTarget(const LaserShot& shot) {
    return laserPitch(shot) * laserYaw(shot);
}

void drawQuad(GLint modelLocation, GLint colorTexture, const GLuint* texture, const Mat4& model) {
    bindTexture(texture);
    glUniform1i(colorTexture, 0);
    setMatrix(modelLocation, model);
    glDrawElements(GL_TRIANGLES, kQuadIndexCount, GL_UNSIGNED_INT, nullptr);
}

} // namespace

std::vector<const LaserShot*> lasersBackToFront(const Galaxy& galaxy) {
    std::vector<const LaserShot*> shots;
    gather(galaxy.computerShips, shots);
    gather(galaxy.playerShips, shots);
    std::sort(shots.begin(), shots.end(),
              [](const LaserShot* a, const LaserShot* b) { return isFartherFromEye(*a, *b); });
    return shots;
}

Mat4 firstLaserQuad(const LaserShot& shot) {
    return glm::scale(glm::translate(Mat4{1.0f}, shot.position) * turnToTarget(shot) *
                          shot.modelMatrices[0],
                      kBoltScale);
}

Mat4 secondLaserQuad(const LaserShot& shot) {
    const Mat4 quarterTurn = rotateDegrees(Mat4{1.0f}, 90.0f, Vec3{1.0f, 0.0f, 0.0f});
    return glm::scale(glm::translate(Mat4{1.0f}, shot.position) * shot.modelMatrices[1] *
                          turnToTarget(shot) * quarterTurn,
                      kBoltScale);
}

void drawLasers() {
    const GLuint program = programId(Program::Laser);
    if (program == 0) {
        return;
    }
    blendIfTransparent(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glDisable(GL_CULL_FACE);
    glUseProgram(program);
    glBindVertexArray(laserQuad().vertexArray);
    const GLint playerOwned = uniformOf(Program::Laser, "playerowned");
    const GLint colorTexture = uniformOf(Program::Laser, "colorTexture");
    const GLint model = shaderProgram(Program::Laser).uniform(ModelMatrixSlot);
    glActiveTexture(GL_TEXTURE0);

    const Mat4 viewProjection = sceneViewProjection();
    for (const LaserShot* shot : lasersBackToFront(galaxy())) {
        const GLuint* texture = TextureManager::getInstance()->texture(shot->textureKey);
        glUniform1f(playerOwned, shot->fromComputer ? 0.0f : 1.0f);
        drawQuad(model, colorTexture, texture, viewProjection * firstLaserQuad(*shot));
        drawQuad(model, colorTexture, texture, viewProjection * secondLaserQuad(*shot));
    }

    glBindVertexArray(0);
    glGetError(); // nothing drawn here is worth a report
    glEnable(GL_CULL_FACE);
    glUseProgram(0);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
}
