#include "render/post_processing.h"

#include <epoxy/gl.h>

#include "render/gl_state.h"
#include "render/offscreen_target.h"
#include "render/quads.h"
#include "render/render_state.h"
#include "render/shader_programs.h"
#include "render/texture_manager.h"
#include "sim/galaxy.h"

namespace {

constexpr int kHelpTexture = 100;
constexpr int kDefeatTexture = 101;
constexpr int kVictoryTexture = 102;
constexpr GLenum kOverlayUnit = 2;

// A quad over the whole target, replacing what is there. The composite
// writes no sRGB: images and colours are made for direct display, and a
// window that encodes sRGB would brighten the frame a second time.
void beginFullScreenPass(Program program, bool srgbWrites) {
    useGlState({.cullFaces = false, .depthTest = false, .srgbWrites = srgbWrites});
    useProgram(shaderProgram(program).program);
}

void drawFullScreenQuad() {
    glBindVertexArray(fullScreenQuad().vertexArray);
    glDrawElements(GL_TRIANGLES, kQuadIndexCount, GL_UNSIGNED_INT, nullptr);
}

void endFullScreenPass() {
    glBindVertexArray(0);
}

void bindTexture(GLenum unit, GLuint texture) {
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, texture);
}

} // namespace

Overlay chooseOverlay(bool victorious, bool defeated, bool showHelp) {
    if (victorious) {
        return {4.0f, kVictoryTexture};
    }
    if (defeated) {
        return {3.0f, kDefeatTexture};
    }
    if (showHelp) {
        return {2.0f, kHelpTexture};
    }
    return {1.0f, 0};
}

void runBloomPass() {
    const GLuint program = shaderProgram(Program::Bloom).program;
    if (program == 0) {
        // Reported when it failed to build. The frame's clear does not reach
        // the bloom target, and the composite still reads it.
        clearBloom();
        return;
    }
    const OffscreenTarget& target = offscreenTarget();
    glBindFramebuffer(GL_FRAMEBUFFER, target.bloomFramebuffer);
    glViewport(0, 0, target.bloomWidth, target.bloomHeight);
    beginFullScreenPass(Program::Bloom, true);
    bindTexture(0, target.colorTextures[Attachment::Glow]);
    // The shader blurs by reading the glow's smaller mipmap levels.
    glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glUniform1i(glGetUniformLocation(program, "colorTexture"), 0);
    glUniform1f(glGetUniformLocation(program, "bloomfactor"), renderState().settings.bloomFactor);
    drawFullScreenQuad();
    // Back to the attachment's own sampling.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    endFullScreenPass();
    glViewport(0, 0, target.width, target.height);
}

void clearBloom() {
    glBindFramebuffer(GL_FRAMEBUFFER, offscreenTarget().bloomFramebuffer);
    const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glClearBufferfv(GL_COLOR, 0, black);
}

void runCompositePass() {
    const GLuint program = shaderProgram(Program::Framebuffer).program;
    if (program == 0) {
        return;
    }
    beginFullScreenPass(Program::Framebuffer, false);
    const GLint scene = glGetUniformLocation(program, "colorTexture1");
    const GLint bloom = glGetUniformLocation(program, "colorTexture2");
    const GLint help = glGetUniformLocation(program, "helpTexture");
    const GLint helpEnabled = glGetUniformLocation(program, "helpEnabled");

    const Galaxy& g = galaxy();
    const Overlay overlay =
        chooseOverlay(g.playerVictorious, g.playerDefeated, renderState().settings.showHelp);
    glUniform1f(helpEnabled, overlay.helpEnabled);
    if (overlay.textureKey != 0) {
        const GLuint* image = textureManager().texture(overlay.textureKey);
        bindTexture(kOverlayUnit, image != nullptr ? *image : 0);
        glUniform1i(help, static_cast<GLint>(kOverlayUnit));
    }
    const OffscreenTarget& target = offscreenTarget();
    bindTexture(0, target.colorTextures[Attachment::Scene]);
    glUniform1i(scene, 0);
    bindTexture(1, target.colorTextures[Attachment::Bloom]);
    glUniform1i(bloom, 1);
    drawFullScreenQuad();
    glActiveTexture(GL_TEXTURE0);
    endFullScreenPass();
}
