#include "render/waypoint_pass.h"

#include <memory>

#include <epoxy/gl.h>

#include "math/camera.h"
#include "render/gl_state.h"
#include "render/palette.h"
#include "render/pass_support.h"
#include "render/shader_program.h"
#include "render/shader_programs.h"

namespace {

// A mark's half size as a share of its distance from the eye, so it stays
// a few pixels wide however far the camera is.
constexpr float kMarkSize = 0.006f;
constexpr float kLineOpacity = 0.55f;

struct WaypointPass {
    std::unique_ptr<ShaderProgram> program;
    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    GLint viewProjection = -1;
    GLint color = -1;
};

WaypointPass pass;

// A diamond facing the camera, as two triangles.
void appendMark(std::vector<Vec3>& triangles, const Vec3& point) {
    const Camera& cam = camera();
    const float size = kMarkSize * glm::length(point - cam.eye);
    const Vec3 right = cam.right * size;
    const Vec3 up = glm::normalize(glm::cross(cam.right, cam.forward)) * size;
    triangles.insert(triangles.end(), {point - right, point - up, point + right, point - right,
                                       point + right, point + up});
}

// Lines as pairs of ends, and the marks, for every selected player ship.
void gatherOrders(std::vector<Vec3>& lines, std::vector<Vec3>& marks) {
    for (const ShipRef& ship : galaxy().playerShips) {
        if (!ship->selected) {
            continue;
        }
        const std::vector<Vec3> path = orderedPath(*ship);
        for (std::size_t i = 1; i < path.size(); ++i) {
            lines.insert(lines.end(), {path[i - 1], path[i]});
            appendMark(marks, path[i]);
        }
    }
}

void drawVertices(const std::vector<Vec3>& vertices, GLenum mode, const glm::vec4& color) {
    if (vertices.empty()) {
        return;
    }
    glUniform4f(pass.color, color.r, color.g, color.b, color.a);
    const auto bytes = static_cast<GLsizeiptr>(vertices.size() * sizeof(Vec3));
    glBufferData(GL_ARRAY_BUFFER, bytes, vertices.data(), GL_STREAM_DRAW);
    glDrawArrays(mode, 0, static_cast<GLsizei>(vertices.size()));
}

} // namespace

std::vector<Vec3> orderedPath(const Ship& ship) {
    std::vector<Vec3> path;
    for (const Waypoint& waypoint : ship.waypoints) {
        if (waypoint.kind == Waypoint::Destination) {
            if (path.empty()) {
                path.push_back(ship.position);
            }
            path.push_back(waypoint.position);
        }
    }
    return path;
}

void createWaypointPass() {
    pass.program = std::make_unique<ShaderProgram>("Shaders/pathShader");
    const GLuint program = pass.program->program;
    if (program == 0) {
        return;
    }
    bindOutputs(*pass.program);
    pass.viewProjection = glGetUniformLocation(pass.program->program, "viewProjectionMatrix");
    pass.color = glGetUniformLocation(pass.program->program, "color");
    glGenVertexArrays(1, &pass.vertexArray);
    glGenBuffers(1, &pass.vertexBuffer);
    glBindVertexArray(pass.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, pass.vertexBuffer);
    glEnableVertexAttribArray(ShaderInput::Position);
    glVertexAttribPointer(ShaderInput::Position, 3, GL_FLOAT, GL_FALSE, sizeof(Vec3), nullptr);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void drawQueuedWaypoints() {
    if (pass.program == nullptr || pass.program->program == 0) {
        return;
    }
    std::vector<Vec3> lines;
    std::vector<Vec3> marks;
    gatherOrders(lines, marks);
    if (lines.empty()) {
        return;
    }
    // Over what they pass behind only where something solid is nearer.
    useGlState({.cullFaces = false, .blend = Blend::Alpha, .depthWrites = false});
    useProgram(pass.program->program);
    setMatrix(pass.viewProjection, sceneViewProjection());
    glBindVertexArray(pass.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, pass.vertexBuffer);
    const glm::vec4 side = activePalette().playerText; // the side colour of the words
    drawVertices(lines, GL_LINES, {glm::vec3{side}, kLineOpacity});
    drawVertices(marks, GL_TRIANGLES, side);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
}

void destroyWaypointPass() {
    if (pass.program != nullptr) {
        pass.program->deleteGLObjects();
    }
    glDeleteBuffers(1, &pass.vertexBuffer);
    glDeleteVertexArrays(1, &pass.vertexArray);
    forgetWaypointPass();
}

void forgetWaypointPass() {
    pass = WaypointPass{};
}
