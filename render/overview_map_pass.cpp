#include "render/overview_map_pass.h"

#include <memory>
#include <vector>

#include <epoxy/gl.h>

#include "render/gl_state.h"
#include "render/render_state.h"
#include "render/shader_program.h"

namespace {

// Window position, the corner of the dot it belongs to (-1 to 1), colour,
// and shape.
constexpr int kFloatsPerVertex = 9;

struct OverviewMapPass {
    std::unique_ptr<ShaderProgram> program;
    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    GLsizeiptr capacity = 0; // bytes the buffer holds
    GLint windowSize = -1;
    std::vector<float> vertices; // kept between frames, so it seldom grows
};

OverviewMapPass pass;

void appendVertex(glm::vec2 at, glm::vec2 corner, const glm::vec4& color, DotShape shape) {
    pass.vertices.insert(pass.vertices.end(), {at.x, at.y, corner.x, corner.y, color.r, color.g,
                                               color.b, color.a, static_cast<float>(shape)});
}

// A square of two triangles about `centre`.
void appendSquare(glm::vec2 centre, float radius, const glm::vec4& color, DotShape shape) {
    for (const glm::vec2& corner : {glm::vec2{-1, -1}, glm::vec2{1, -1}, glm::vec2{1, 1},
                                    glm::vec2{-1, -1}, glm::vec2{1, 1}, glm::vec2{-1, 1}}) {
        appendVertex(centre + corner * radius, corner, color, shape);
    }
}

// Returns how many vertices the triangles take; the lines follow them.
GLsizei fillVertices(const OverviewMap& map) {
    pass.vertices.clear();
    const float half = map.rect.size / 2.0f;
    appendSquare(map.rect.origin + half, half, map.backdrop, DotShape::Square);
    for (const MapDot& dot : map.dots) {
        appendSquare(dot.centre, dot.radius, dot.color, dot.shape);
    }
    const auto triangles = static_cast<GLsizei>(pass.vertices.size() / kFloatsPerVertex);
    for (const MapLine& line : map.lines) {
        appendVertex(line.from, glm::vec2{0.0f}, line.color, DotShape::Square);
        appendVertex(line.to, glm::vec2{0.0f}, line.color, DotShape::Square);
    }
    return triangles;
}

// Into the one buffer, made bigger only when the map has outgrown it.
void upload() {
    const auto bytes = static_cast<GLsizeiptr>(pass.vertices.size() * sizeof(float));
    if (bytes > pass.capacity) {
        pass.capacity = bytes * 2;
        glBufferData(GL_ARRAY_BUFFER, pass.capacity, nullptr, GL_DYNAMIC_DRAW);
    }
    glBufferSubData(GL_ARRAY_BUFFER, 0, bytes, pass.vertices.data());
}

void attribute(GLuint program, const char* name, GLint size, int offset) {
    const GLint location = glGetAttribLocation(program, name);
    if (location < 0) {
        return;
    }
    glEnableVertexAttribArray(static_cast<GLuint>(location));
    glVertexAttribPointer(static_cast<GLuint>(location), size, GL_FLOAT, GL_FALSE,
                          kFloatsPerVertex * sizeof(float),
                          reinterpret_cast<const void*>(offset * sizeof(float)));
}

} // namespace

void createOverviewMapPass() {
    pass.program = std::make_unique<ShaderProgram>("Shaders/mapShader");
    const GLuint program = pass.program->program;
    if (program == 0) {
        return;
    }
    pass.windowSize = glGetUniformLocation(program, "windowSize");
    glGenVertexArrays(1, &pass.vertexArray);
    glGenBuffers(1, &pass.vertexBuffer);
    glBindVertexArray(pass.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, pass.vertexBuffer);
    attribute(program, "in_position", 2, 0);
    attribute(program, "in_corner", 2, 2);
    attribute(program, "in_color", 4, 4);
    attribute(program, "in_shape", 1, 8);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void drawOverviewMap(const OverviewMap& map) {
    const RenderState& state = renderState();
    if (pass.program == nullptr || pass.program->program == 0 || map.rect.size <= 0.0f ||
        state.windowWidth <= 0 || state.windowHeight <= 0) {
        return;
    }
    const GLsizei triangles = fillVertices(map);
    const auto all = static_cast<GLsizei>(pass.vertices.size() / kFloatsPerVertex);
    glViewport(0, 0, state.windowWidth, state.windowHeight);
    // Colours for direct display, as the composite and the text write them.
    useGlState(
        {.cullFaces = false, .blend = Blend::Alpha, .depthTest = false, .srgbWrites = false});
    useProgram(pass.program->program);
    glUniform2f(pass.windowSize, static_cast<float>(state.windowWidth),
                static_cast<float>(state.windowHeight));
    glBindVertexArray(pass.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, pass.vertexBuffer);
    upload();
    glDrawArrays(GL_TRIANGLES, 0, triangles);
    if (all > triangles) {
        glDrawArrays(GL_LINES, triangles, all - triangles);
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
}

void destroyOverviewMapPass() {
    if (pass.program != nullptr) {
        pass.program->deleteGLObjects();
    }
    glDeleteBuffers(1, &pass.vertexBuffer);
    glDeleteVertexArrays(1, &pass.vertexArray);
    forgetOverviewMapPass();
}

void forgetOverviewMapPass() {
    pass = OverviewMapPass{};
}
