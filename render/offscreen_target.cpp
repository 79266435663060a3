#include "render/offscreen_target.h"

#include <algorithm>
#include <iostream>

#include "render/render_state.h"

namespace {

OffscreenTarget target;

// Clamped at the edges: a blur near one edge must not wrap to the other.
void setSampling() {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}

GLuint makeColorTexture(int width, int height) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    setSampling();
    return texture;
}

bool isComplete() {
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

// The bloom output, with its own framebuffer so that drawing it never
// touches the glow it reads.
bool createBloomTarget() {
    target.bloomWidth = std::max(1, target.width >> kBloomCoreLevel);
    target.bloomHeight = std::max(1, target.height >> kBloomCoreLevel);
    GLuint& bloom = target.colorTextures[Attachment::Bloom];
    bloom = makeColorTexture(target.bloomWidth, target.bloomHeight);
    glGenFramebuffers(1, &target.bloomFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, target.bloomFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, bloom, 0);
    return isComplete();
}

} // namespace

const OffscreenTarget& offscreenTarget() {
    return target;
}

void createOffscreenTarget() {
    if (target.framebuffer != 0) {
        deleteOffscreenTarget();
    }
    target.width = renderState().windowWidth;
    target.height = renderState().windowHeight;
    glGenFramebuffers(1, &target.framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);

    glGenRenderbuffers(1, &target.depthBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, target.depthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, target.width, target.height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                              target.depthBuffer);

    for (int i : {Attachment::Scene, Attachment::Glow}) {
        GLuint& texture = target.colorTextures[static_cast<std::size_t>(i)];
        texture = makeColorTexture(target.width, target.height);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + static_cast<GLenum>(i),
                               GL_TEXTURE_2D, texture, 0);
    }
    // The bloom pass builds only the glow levels it reads.
    glBindTexture(GL_TEXTURE_2D, target.colorTextures[Attachment::Glow]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, kBloomHaloLevel);

    const bool sceneComplete = isComplete();
    const bool bloomComplete = createBloomTarget();
    if (sceneComplete && bloomComplete) {
        std::cout << "\nFramebuffer created\n";
    } else {
        std::cout << "\nDidn't work!\n";
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void deleteOffscreenTarget() {
    glDeleteFramebuffers(1, &target.framebuffer);
    glDeleteFramebuffers(1, &target.bloomFramebuffer);
    glDeleteRenderbuffers(1, &target.depthBuffer);
    glDeleteTextures(static_cast<GLsizei>(target.colorTextures.size()),
                     target.colorTextures.data());
    forgetOffscreenTarget();
}

void forgetOffscreenTarget() {
    target = OffscreenTarget{};
}
