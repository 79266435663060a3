#include "render/offscreen_target.h"

#include <iostream>

#include "render/render_settings.h"

namespace {

OffscreenTarget target;

void setSampling() {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}

} // namespace

const OffscreenTarget& offscreenTarget() {
    return target;
}

void createOffscreenTarget() {
    if (target.framebuffer != 0) {
        deleteOffscreenTarget();
    }
    target.width = windowWidth;
    target.height = windowHeight;
    glGenFramebuffers(1, &target.framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);

    glGenRenderbuffers(1, &target.depthBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, target.depthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, target.width, target.height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                              target.depthBuffer);

    for (std::size_t i = 0; i < target.colorTextures.size(); ++i) {
        glGenTextures(1, &target.colorTextures[i]);
        glBindTexture(GL_TEXTURE_2D, target.colorTextures[i]);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, target.width, target.height, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, nullptr);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + static_cast<GLenum>(i),
                               GL_TEXTURE_2D, target.colorTextures[i], 0);
        setSampling();
    }

    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE) {
        std::cout << "\nFramebuffer created\n";
    } else {
        std::cout << "\nDidn't work!\n";
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void deleteOffscreenTarget() {
    glDeleteFramebuffers(1, &target.framebuffer);
    glDeleteRenderbuffers(1, &target.depthBuffer);
    glDeleteTextures(static_cast<GLsizei>(target.colorTextures.size()),
                     target.colorTextures.data());
    forgetOffscreenTarget();
}

void forgetOffscreenTarget() {
    target = OffscreenTarget{};
}
