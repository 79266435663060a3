#include "render/laser_pass.h"

#include <algorithm>

#include "math/degrees.h"
#include "math/rotations.h"
#include "render/instance_buffer.h"
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

// Five rows per quad: its whole transform, and 1 for the player's bolts.
constexpr int kRowsPerQuad = 5;

void addQuad(std::vector<Vec4>& rows, const Mat4& transform, const LaserShot& shot) {
    rows.insert(rows.end(), {transform[0], transform[1], transform[2], transform[3],
                             Vec4{shot.fromComputer ? 0.0f : 1.0f, 0.0f, 0.0f, 0.0f}});
}

void drawQuads(const std::vector<Vec4>& rows) {
    drawInstances(rows, kRowsPerQuad, [](GLsizei count) {
        glDrawElementsInstanced(GL_TRIANGLES, kQuadIndexCount, GL_UNSIGNED_INT, nullptr, count);
    });
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
    glUniform1i(uniformOf(Program::Laser, "colorTexture"), 0);
    glUniform1i(uniformOf(Program::Laser, "instances"), kInstanceUnit);
    glActiveTexture(GL_TEXTURE0);
    bindTexture(nullptr);

    // Instances draw in order, so each run of bolts with the same texture
    // goes in one call and the blending stays back to front.
    const Mat4 viewProjection = sceneViewProjection();
    std::vector<Vec4> rows;
    const GLuint* runTexture = nullptr;
    for (const LaserShot* shot : lasersBackToFront(galaxy())) {
        const GLuint* texture = TextureManager::getInstance()->texture(shot->textureKey);
        if (texture != runTexture) {
            drawQuads(rows);
            rows.clear();
            runTexture = texture;
            bindTexture(texture);
        }
        addQuad(rows, viewProjection * firstLaserQuad(*shot), *shot);
        addQuad(rows, viewProjection * secondLaserQuad(*shot), *shot);
    }
    drawQuads(rows);

    glBindVertexArray(0);
    glGetError(); // nothing drawn here is worth a report
    glEnable(GL_CULL_FACE);
    glUseProgram(0);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
}
