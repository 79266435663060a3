#include "render/laser_pass.h"

#include <algorithm>

#include "math/camera.h"
#include "math/degrees.h"
#include "math/rotations.h"
#include "render/gl_state.h"
#include "render/instance_buffer.h"
#include "render/palette.h"
#include "render/pass_support.h"
#include "render/quads.h"
#include "render/texture_manager.h"
#include "sim/orientation.h"

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

// Both quads of a bolt, turning it toward its target once.
struct BoltQuads {
    Mat4 first;
    Mat4 second;
};

BoltQuads boltQuads(const LaserShot& shot) {
    static const Mat4 quarterTurn = rotateDegrees(Mat4{1.0f}, 90.0f, Vec3{1.0f, 0.0f, 0.0f});
    const Mat4 at = glm::translate(Mat4{1.0f}, shot.position);
    const Mat4 turn = turnToTarget(shot);
    return {glm::scale(at * turn * shot.modelMatrices[0], kBoltScale),
            glm::scale(at * shot.modelMatrices[1] * turn * quarterTurn, kBoltScale)};
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
    // Each distance once, not at every comparison.
    std::vector<std::pair<float, const LaserShot*>> keyed;
    keyed.reserve(shots.size());
    const Vec3 eye = camera().eye;
    for (const LaserShot* shot : shots) {
        keyed.emplace_back(glm::length(shot->position - eye), shot);
    }
    std::sort(keyed.begin(), keyed.end(),
              [](const auto& a, const auto& b) { return b.first < a.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        shots[i] = keyed[i].second;
    }
    return shots;
}

void drawLasers() {
    const GLuint program = programId(Program::Laser);
    if (program == 0) {
        return;
    }
    // Both faces of a bolt show; bolts hide behind solid things but not
    // behind each other.
    useGlState(
        {.cullFaces = false, .blend = blendIfTransparent(Blend::Alpha), .depthWrites = false});
    useProgram(program);
    glBindVertexArray(laserQuad().vertexArray);
    glUniform1i(uniformOf(Program::Laser, "colorTexture"), 0);
    glUniform1i(uniformOf(Program::Laser, "instances"), kInstanceUnit);
    setVector(uniformOf(Program::Laser, "playerBolt"), Vec3{activePalette().playerBolt});
    setVector(uniformOf(Program::Laser, "computerBolt"), Vec3{activePalette().computerBolt});
    glActiveTexture(GL_TEXTURE0);
    bindTexture(nullptr);

    // Instances draw in order, so each run of bolts with the same texture
    // goes in one call and the blending stays back to front.
    const Mat4 viewProjection = sceneViewProjection();
    std::vector<Vec4> rows;
    const GLuint* runTexture = nullptr;
    for (const LaserShot* shot : lasersBackToFront(galaxy())) {
        const GLuint* texture = textureManager().texture(shot->textureKey);
        if (texture != runTexture) {
            drawQuads(rows);
            rows.clear();
            runTexture = texture;
            bindTexture(texture);
        }
        const BoltQuads quads = boltQuads(*shot);
        addQuad(rows, viewProjection * quads.first, *shot);
        addQuad(rows, viewProjection * quads.second, *shot);
    }
    drawQuads(rows);

    glBindVertexArray(0);
    glGetError(); // nothing drawn here is worth a report
}
