// The framebuffer every frame is drawn into before it reaches the window:
// the scene and its glow as two colour textures with a depth buffer, all at
// the window's size; and the bloom output in a framebuffer of its own at a
// quarter of that size, where the glow's finest blur level has its pixels.
#pragma once

#include <array>

#include <epoxy/gl.h>

namespace Attachment {
constexpr int Scene = 0;
constexpr int Glow = 1;
constexpr int Bloom = 2;
} // namespace Attachment

// The glow's mipmap levels the bloom reads: level 2 averages 4 x 4 pixel
// blocks, level 4 16 x 16 blocks. The bloom output has level 2's size.
constexpr int kBloomCoreLevel = 2;
constexpr int kBloomHaloLevel = 4;

struct OffscreenTarget {
    GLuint framebuffer = 0; // scene and glow
    GLuint bloomFramebuffer = 0;
    GLuint depthBuffer = 0;
    std::array<GLuint, 3> colorTextures{};
    int width = 0;
    int height = 0;
    int bloomWidth = 0;
    int bloomHeight = 0;
};

const OffscreenTarget& offscreenTarget();

// (Re)builds the target at renderState().windowWidth x renderState().windowHeight and prints
// "\nFramebuffer created\n", or "\nDidn't work!\n" when GL refuses it.
void createOffscreenTarget();

// Deletes the target's GL objects. Needs the GL context.
void deleteOffscreenTarget();

// Forgets the target without touching GL, for when the context is gone.
void forgetOffscreenTarget();
