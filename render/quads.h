// The three textured quads every flat thing is drawn with: the full-screen
// quad of the post-processing passes, the camera-facing billboard quad and
// the flat laser quad.
#pragma once

#include <epoxy/gl.h>

class ShaderProgram;

struct Quad {
    GLuint vertexArray = 0;
    GLuint positionBuffer = 0;
    GLuint texCoordBuffer = 0;
    GLuint indexBuffer = 0;
};

constexpr GLsizei kQuadIndexCount = 6;

// Spans -1 to 1 in x and y.
Quad& fullScreenQuad();
// The same square, drawn facing the camera.
Quad& billboardQuad();
// Spans -1 to 1 in x and z, lying in the plane y = 0.
Quad& laserQuad();

// Builds the full-screen quad for the composite program.
void buildFullScreenQuad(const ShaderProgram& program);

// Builds the billboard quad (wired for the billboard and lens-flare
// programs) and the laser quad, deleting those of a game before.
void buildQuads();

// Wires the position and texture coordinates of a quad to a program's
// inputs, on the quad's own vertex array.
void wireQuad(const Quad& quad, const ShaderProgram& program);

// Deletes the GL objects of the three quads. Needs the GL context.
void destroyQuads();

// Forgets the quads without touching GL, for when the context is gone.
void forgetQuads();
