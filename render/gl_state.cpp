#include "render/gl_state.h"

#include <optional>

namespace {

std::optional<GlState> sent;
std::optional<GLuint> sentProgram;

void setSwitch(GLenum capability, bool on) {
    if (on) {
        glEnable(capability);
    } else {
        glDisable(capability);
    }
}

void setBlend(Blend blend) {
    setSwitch(GL_BLEND, blend != Blend::Off);
    switch (blend) {
    case Blend::Off:
        break;
    case Blend::Alpha:
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        break;
    case Blend::Additive:
        glBlendFunc(GL_ONE, GL_ONE);
        break;
    case Blend::Glow:
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        break;
    case Blend::Premultiplied:
        glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        break;
    }
}

} // namespace

void useGlState(const GlState& wanted) {
    const bool known = sent.has_value();
    if (!known || sent->cullFaces != wanted.cullFaces) {
        setSwitch(GL_CULL_FACE, wanted.cullFaces);
    }
    if (!known || sent->blend != wanted.blend) {
        setBlend(wanted.blend);
    }
    if (!known || sent->depthTest != wanted.depthTest) {
        setSwitch(GL_DEPTH_TEST, wanted.depthTest);
    }
    if (!known || sent->depthWrites != wanted.depthWrites) {
        glDepthMask(wanted.depthWrites ? GL_TRUE : GL_FALSE);
    }
    if (!known || sent->smoothLines != wanted.smoothLines) {
        setSwitch(GL_LINE_SMOOTH, wanted.smoothLines);
    }
    if (!known || sent->srgbWrites != wanted.srgbWrites) {
        setSwitch(GL_FRAMEBUFFER_SRGB, wanted.srgbWrites);
    }
    if (!known || sent->pointSizes != wanted.pointSizes) {
        setSwitch(GL_PROGRAM_POINT_SIZE, wanted.pointSizes);
    }
    sent = wanted;
}

void useProgram(GLuint program) {
    if (sentProgram != program) {
        glUseProgram(program);
        sentProgram = program;
    }
}

void forgetGlState() {
    sent.reset();
    sentProgram.reset();
}
