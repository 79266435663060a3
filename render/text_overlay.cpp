#include "render/text_overlay.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>

#include <FreeImage.h>
#include <epoxy/gl.h>

#include "render/gl_state.h"
#include "render/render_state.h"
#include "render/shader_program.h"
#include "render/texture_manager.h"

namespace {

#define GLYPH_ATLAS(file) constexpr const char* kAtlasPath = "./Textures/" file;
#include "render/game_files.inc"
constexpr const char* kProgramPath = "Shaders/textShader";
constexpr int kFloatsPerVertex = 9; // position 2, atlas position 2, colour 4, outline 1
constexpr float kOutlineOpacity = 0.85f;

struct TextOverlay {
    std::unique_ptr<ShaderProgram> program;
    GLuint atlas = 0;
    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    GLint windowSize = -1;
    GLint atlasSize = -1;
    GLint atlasSampler = -1;
    GlyphSet glyphs{};
};

TextOverlay overlay;

bool atlasFits(FIBITMAP* image) {
    return FreeImage_GetBPP(image) == 32 && FreeImage_GetWidth(image) == GlyphAtlas::Width &&
           FreeImage_GetHeight(image) == GlyphAtlas::Height;
}

// The atlas pixel at x, y from the top: FreeImage's rows run bottom-up.
const BYTE* pixelAt(FIBITMAP* atlas, int x, int y) {
    return FreeImage_GetScanLine(atlas, GlyphAtlas::Height - 1 - y) + 4 * x;
}

// The part of a cell with ink or outline, a pixel wider all round for the
// filtering at its edges; empty when the cell is.
PixelRect inkBox(FIBITMAP* atlas, const PixelRect& cell) {
    glm::ivec2 low{GlyphAtlas::CellWidth, GlyphAtlas::CellHeight};
    glm::ivec2 high{-1};
    for (int y = 0; y < GlyphAtlas::CellHeight; ++y) {
        for (int x = 0; x < GlyphAtlas::CellWidth; ++x) {
            if (pixelAt(atlas, static_cast<int>(cell.min.x) + x,
                        static_cast<int>(cell.min.y) + y)[FI_RGBA_ALPHA] != 0) {
                low = glm::min(low, glm::ivec2(x, y));
                high = glm::max(high, glm::ivec2(x, y));
            }
        }
    }
    if (high.x < 0) {
        return {};
    }
    const glm::vec2 cellSize{GlyphAtlas::CellWidth, GlyphAtlas::CellHeight};
    return {glm::max(glm::vec2(low - 1), glm::vec2(0.0f)), glm::min(glm::vec2(high + 2), cellSize)};
}

// An atlas read from file: the decoded image when it is laid out as an
// atlas must be, with its glyphs; null otherwise.
FIBITMAP* loadAtlasImage(GlyphSet& glyphs) {
    std::ifstream file(kAtlasPath, std::ios::binary);
    if (!file) {
        return nullptr;
    }
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file),
                                           std::istreambuf_iterator<char>()};
    FIBITMAP* image = decodeTextureImage(bytes.data(), bytes.size(), kAtlasPath, GL_BGRA);
    if (image != nullptr && !readGlyphSet(image, glyphs)) {
        FreeImage_Unload(image);
        return nullptr;
    }
    return image;
}

GLuint uploadAtlas(FIBITMAP* image) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // Text is drawn at half to full atlas size, where plain linear filtering
    // stays smooth.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, GlyphAtlas::Width, GlyphAtlas::Height, 0, GL_BGRA,
                 GL_UNSIGNED_BYTE, FreeImage_GetBits(image));
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

void wireAttribute(GLuint program, const char* name, GLint size, int offset) {
    const GLint location = glGetAttribLocation(program, name);
    if (location < 0) {
        return;
    }
    glVertexAttribPointer(static_cast<GLuint>(location), size, GL_FLOAT, GL_FALSE,
                          kFloatsPerVertex * sizeof(float),
                          reinterpret_cast<const void*>(offset * sizeof(float)));
    glEnableVertexAttribArray(static_cast<GLuint>(location));
}

void buildVertexArray(GLuint program) {
    glGenVertexArrays(1, &overlay.vertexArray);
    glGenBuffers(1, &overlay.vertexBuffer);
    glBindVertexArray(overlay.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, overlay.vertexBuffer);
    wireAttribute(program, "in_position", 2, 0);
    wireAttribute(program, "in_atlasPosition", 2, 2);
    wireAttribute(program, "in_color", 4, 4);
    wireAttribute(program, "in_outline", 1, 8);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

// Two triangles per quad, with the opacity of the letters' dark outline.
void appendQuad(std::vector<float>& vertices, const GlyphQuad& quad, glm::vec4 color,
                float outline) {
    const auto corner = [&](int x, int y) {
        const PixelRect& s = quad.screen;
        const PixelRect& a = quad.atlas;
        vertices.insert(vertices.end(),
                        {x ? s.max.x : s.min.x, y ? s.max.y : s.min.y, x ? a.max.x : a.min.x,
                         y ? a.max.y : a.min.y, color.r, color.g, color.b, color.a, outline});
    };
    for (const auto& [x, y] : {std::pair{0, 0}, {0, 1}, {1, 0}, {1, 0}, {0, 1}, {1, 1}}) {
        corner(x, y);
    }
}

// The panels, then the letters over them.
std::vector<float> buildVertices(const PlacedText& text) {
    std::vector<float> vertices;
    vertices.reserve((text.panels.size() + text.glyphs.size()) * 6 * kFloatsPerVertex);
    for (const PlacedQuad& panel : text.panels) {
        appendQuad(vertices, panel.quad, panel.color, 0.0f);
    }
    for (const PlacedQuad& glyph : text.glyphs) {
        appendQuad(vertices, glyph.quad, glyph.color, kOutlineOpacity);
    }
    return vertices;
}

void drawVertices(const std::vector<float>& vertices) {
    useProgram(overlay.program->program);
    glUniform2f(overlay.windowSize, static_cast<float>(renderState().windowWidth),
                static_cast<float>(renderState().windowHeight));
    glUniform2f(overlay.atlasSize, GlyphAtlas::Width, GlyphAtlas::Height);
    glUniform1i(overlay.atlasSampler, 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, overlay.atlas);
    glBindVertexArray(overlay.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, overlay.vertexBuffer);
    const auto bytes = static_cast<GLsizeiptr>(vertices.size() * sizeof(float));
    glBufferData(GL_ARRAY_BUFFER, bytes, vertices.data(), GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size() / kFloatsPerVertex));
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
}

} // namespace

bool readGlyphSet(FIBITMAP* atlas, GlyphSet& glyphs) {
    if (atlas == nullptr || !atlasFits(atlas)) {
        return false;
    }
    for (int i = 0; i < GlyphAtlas::GlyphCount; ++i) {
        const float advance = pixelAt(atlas, i, 0)[FI_RGBA_RED] / 4.0f;
        if (advance <= 0.0f || advance > GlyphAtlas::CellWidth) {
            return false;
        }
        glyphs[static_cast<std::size_t>(i)] = {
            advance, inkBox(atlas, glyphCell(static_cast<char>(GlyphAtlas::First + i)))};
    }
    return true;
}

void createTextOverlay() {
    FIBITMAP* image = loadAtlasImage(overlay.glyphs);
    if (image == nullptr) {
        std::cout << "\nALERT";
        return;
    }
    overlay.atlas = uploadAtlas(image);
    FreeImage_Unload(image);
    overlay.program = std::make_unique<ShaderProgram>(kProgramPath);
    const GLuint program = overlay.program->program;
    if (program == 0) {
        return;
    }
    overlay.windowSize = glGetUniformLocation(program, "windowSize");
    overlay.atlasSize = glGetUniformLocation(program, "atlasSize");
    overlay.atlasSampler = glGetUniformLocation(program, "atlas");
    buildVertexArray(program);
}

bool isTextOverlayReady() {
    return overlay.atlas != 0 && overlay.program != nullptr && overlay.program->program != 0;
}

void drawTextOverlay(const std::vector<TextBlock>& blocks) {
    if (!isTextOverlayReady() || blocks.empty() || renderState().windowWidth <= 0 ||
        renderState().windowHeight <= 0) {
        return; // a minimised window may report no size
    }
    const glm::vec2 window{renderState().windowWidth, renderState().windowHeight};
    drawPlacedText(placeBlocks(blocks, window, overlay.glyphs));
}

void drawPlacedText(const PlacedText& text) {
    const std::vector<float> vertices = buildVertices(text);
    if (!isTextOverlayReady() || vertices.empty()) {
        return;
    }
    glViewport(0, 0, renderState().windowWidth, renderState().windowHeight);
    // Over the whole window; colours are meant for direct display, as in
    // the composite.
    useGlState({.cullFaces = false,
                .blend = Blend::Premultiplied,
                .depthTest = false,
                .srgbWrites = false});
    drawVertices(vertices);
}

const GlyphSet& overlayGlyphs() {
    return overlay.glyphs;
}

void destroyTextOverlay() {
    if (overlay.program != nullptr) {
        overlay.program->deleteGLObjects();
    }
    glDeleteTextures(1, &overlay.atlas);
    glDeleteBuffers(1, &overlay.vertexBuffer);
    glDeleteVertexArrays(1, &overlay.vertexArray);
    forgetTextOverlay();
}

void forgetTextOverlay() {
    overlay = TextOverlay{};
}
