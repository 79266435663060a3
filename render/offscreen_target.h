// The framebuffer every frame is drawn into before it reaches the window:
// the scene, its glow and the bloom output as three colour textures, and a
// depth buffer, all at the window's size.
#pragma once

#include <array>

#include <epoxy/gl.h>

namespace Attachment {
constexpr int Scene = 0;
constexpr int Glow = 1;
constexpr int Bloom = 2;
} // namespace Attachment

struct OffscreenTarget {
    GLuint framebuffer = 0;
    GLuint depthBuffer = 0;
    std::array<GLuint, 3> colorTextures{};
    int width = 0;
    int height = 0;
};

const OffscreenTarget& offscreenTarget();

// (Re)builds the target at windowWidth x windowHeight and prints
// "\nFramebuffer created\n", or "\nDidn't work!\n" when GL refuses it.
void createOffscreenTarget();

// Deletes the target's GL objects. Needs the GL context.
void deleteOffscreenTarget();

// Forgets the target without touching GL, for when the context is gone.
void forgetOffscreenTarget();
