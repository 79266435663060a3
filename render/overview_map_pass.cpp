#include "render/overview_map_pass.h"

#include <memory>
#include <vector>

#include <epoxy/gl.h>

#include "render/gl_state.h"
#include "render/render_state.h"
#include "render/shader_program.h"

namespace {

// Window position, colour, shape and the dot's radius in pixels.
constexpr int kFloatsPerVertex = 8;

struct OverviewMapPass {
    std::unique_ptr<ShaderProgram> program;
    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    GLint windowSize = -1;
    std::vector<float> vertices; // kept between frames, so it seldom grows
};

OverviewMapPass pass;

void appendVertex(glm::vec2 at, const glm::vec4& color, DotShape shape, float radius) {
    pass.vertices.insert(pass.vertices.end(), {at.x, at.y, color.r, color.g, color.b, color.a,
                                               static_cast<float>(shape), radius});
}

// How many vertices each part of the map takes in the buffer, in order.
struct MapVertexCounts {
    GLsizei backdrop = 6; // two triangles
    GLsizei dots = 0;     // one point each
    GLsizei lines = 0;    // two vertices each
};

// The backdrop as triangles, since it may outgrow the largest point; the dots
// as points, one vertex each, which a software renderer sets up far more
// cheaply than two triangles; then the lines.
MapVertexCounts fillVertices(const OverviewMap& map) {
    pass.vertices.clear();
    const glm::vec2 low = map.rect.origin;
    const glm::vec2 high = low + map.rect.size;
    for (const glm::vec2& corner :
         {low, glm::vec2{high.x, low.y}, high, low, high, glm::vec2{low.x, high.y}}) {
        appendVertex(corner, map.backdrop, DotShape::Square, 0.0f);
    }
    for (const MapDot& dot : map.dots) {
        appendVertex(dot.centre, dot.color, dot.shape, dot.radius);
    }
    for (const MapLine& line : map.lines) {
        appendVertex(line.from, line.color, DotShape::Square, 0.0f);
        appendVertex(line.to, line.color, DotShape::Square, 0.0f);
    }
    return {6, static_cast<GLsizei>(map.dots.size()), static_cast<GLsizei>(2 * map.lines.size())};
}

// Into fresh storage every frame: writing into storage that earlier draws
// still read would make a software renderer finish them first.
void upload() {
    const auto bytes = static_cast<GLsizeiptr>(pass.vertices.size() * sizeof(float));
    glBufferData(GL_ARRAY_BUFFER, bytes, pass.vertices.data(), GL_STREAM_DRAW);
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
    attribute(program, "in_color", 4, 2);
    attribute(program, "in_shape", 1, 6);
    attribute(program, "in_radius", 1, 7);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void drawOverviewMap(const OverviewMap& map) {
    const RenderState& state = renderState();
    if (pass.program == nullptr || pass.program->program == 0 || map.rect.size <= 0.0f ||
        state.windowWidth <= 0 || state.windowHeight <= 0) {
        return;
    }
    const MapVertexCounts counts = fillVertices(map);
    glViewport(0, 0, state.windowWidth, state.windowHeight);
    // Colours for direct display, as the composite and the text write them;
    // the backdrop opaque, which spares reading back its many pixels.
    GlState drawn{.cullFaces = false,
                  .blend = Blend::Off,
                  .depthTest = false,
                  .srgbWrites = false,
                  .pointSizes = true};
    useGlState(drawn);
    useProgram(pass.program->program);
    glUniform2f(pass.windowSize, static_cast<float>(state.windowWidth),
                static_cast<float>(state.windowHeight));
    glBindVertexArray(pass.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, pass.vertexBuffer);
    upload();
    glDrawArrays(GL_TRIANGLES, 0, counts.backdrop);
    drawn.blend = Blend::Alpha;
    useGlState(drawn);
    glDrawArrays(GL_POINTS, counts.backdrop, counts.dots);
    glDrawArrays(GL_LINES, counts.backdrop + counts.dots, counts.lines);
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
