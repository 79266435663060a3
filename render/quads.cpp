#include "render/quads.h"

#include <cstdint>

#include "render/gl_check.h"
#include "render/shader_program.h"
#include "render/shader_programs.h"

namespace {

Quad fullScreen;
Quad billboard;
Quad laser;

// Two triangles over vertices 0 (top left), 1 (bottom left), 2 (top right)
// and 3 (bottom right).
constexpr std::uint32_t kIndices[kQuadIndexCount] = {1, 0, 2, 1, 2, 3};
constexpr float kTexCoords[8] = {0, 1, 0, 0, 1, 1, 1, 0};
constexpr float kUprightCorners[16] = {-1, 1, 0, 1, -1, -1, 0, 1, 1, 1, 0, 1, 1, -1, 0, 1};
constexpr float kFlatCorners[16] = {-1, 0, 1, 1, -1, 0, -1, 1, 1, 0, 1, 1, 1, 0, -1, 1};

GLuint makeBuffer(GLenum target, const void* data, GLsizeiptr bytes) {
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(target, buffer);
    glBufferData(target, bytes, data, GL_STATIC_DRAW);
    return buffer;
}

void buildQuad(Quad& quad, const float (&corners)[16], const ShaderProgram& program) {
    glGenVertexArrays(1, &quad.vertexArray);
    glBindVertexArray(quad.vertexArray);
    quad.positionBuffer = makeBuffer(GL_ARRAY_BUFFER, corners, sizeof(corners));
    quad.texCoordBuffer = makeBuffer(GL_ARRAY_BUFFER, kTexCoords, sizeof(kTexCoords));
    quad.indexBuffer = makeBuffer(GL_ELEMENT_ARRAY_BUFFER, kIndices, sizeof(kIndices));
    glBindVertexArray(0);
    wireQuad(quad, program);
}

void wireInput(GLuint program, const char* name, GLuint buffer, GLint size) {
    const GLint location = glGetAttribLocation(program, name);
    if (location < 0) {
        return;
    }
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glVertexAttribPointer(static_cast<GLuint>(location), size, GL_FLOAT, GL_FALSE, 0, nullptr);
    glEnableVertexAttribArray(static_cast<GLuint>(location));
}

void deleteQuad(Quad& quad) {
    glDeleteVertexArrays(1, &quad.vertexArray);
    const GLuint buffers[] = {quad.positionBuffer, quad.texCoordBuffer, quad.indexBuffer};
    glDeleteBuffers(3, buffers);
    quad = Quad{};
}

} // namespace

Quad& fullScreenQuad() {
    return fullScreen;
}

Quad& billboardQuad() {
    return billboard;
}

Quad& laserQuad() {
    return laser;
}

void wireQuad(const Quad& quad, const ShaderProgram& program) {
    glBindVertexArray(quad.vertexArray);
    if (program.program != 0) {
        wireInput(program.program, "in_position", quad.positionBuffer, 4);
        wireInput(program.program, "in_texCoord", quad.texCoordBuffer, 2);
    }
    checkGLError();
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void buildFullScreenQuad(const ShaderProgram& program) {
    buildQuad(fullScreen, kUprightCorners, program);
}

// A new game builds them again: the last game's go first.
void buildQuads() {
    deleteQuad(billboard);
    deleteQuad(laser);
    buildQuad(billboard, kUprightCorners, shaderProgram(Program::Billboard));
    wireQuad(billboard, shaderProgram(Program::LensFlare));
    buildQuad(laser, kFlatCorners, shaderProgram(Program::Laser));
}

void destroyQuads() {
    deleteQuad(fullScreen);
    deleteQuad(billboard);
    deleteQuad(laser);
}

void forgetQuads() {
    fullScreen = Quad{};
    billboard = Quad{};
    laser = Quad{};
}
