// The GL switches the passes differ in, set in one place. Each pass asks
// for the whole set it draws with when it begins, and for its program; only
// what differs from what GL was last told is sent.
#pragma once

#include <epoxy/gl.h>

// How a pass blends what it draws onto what is there.
enum class Blend {
    Off,
    Alpha,         // source alpha over the rest
    Additive,      // colours added, whatever their alpha
    Glow,          // added, weighted by source alpha
    Premultiplied, // colours already multiplied by their alpha
};

// The defaults are those of solid 3D things: culled back faces, depth
// tested and written, nothing blended, sRGB encoding where the target has it.
struct GlState {
    bool cullFaces = true;
    Blend blend = Blend::Off;
    bool depthTest = true;
    bool depthWrites = true;
    bool smoothLines = false;
    bool srgbWrites = true;
    bool pointSizes = false; // the vertex shader sizes its points

    bool operator==(const GlState&) const = default;
};

void useGlState(const GlState& wanted);
void useProgram(GLuint program);

// Forgets what GL was told, so that the next requests send everything: at
// the start of each frame, since tests and tools may have changed GL state
// themselves in between, and a new context starts from GL's own defaults.
void forgetGlState();
