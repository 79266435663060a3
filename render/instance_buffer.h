// Per-instance data of instanced draws: rows of four floats in a buffer
// texture, which the vertex shader reads with texelFetch at gl_InstanceID
// times its rows per instance. (Instanced vertex attributes need GL 3.3;
// buffer textures and instanced draws are core in 3.2.)
#pragma once

#include <functional>
#include <vector>

#include <epoxy/gl.h>

#include "math/types.h"

// The texture unit the instance rows are bound to while a pass draws.
constexpr GLint kInstanceUnit = 3;

// Uploads the rows, `rowsPerInstance` per instance, and calls draw(count)
// once per slice that fits the largest buffer texture GL allows, with the
// slice bound to kInstanceUnit. Leaves texture unit 0 active.
void drawInstances(const std::vector<Vec4>& rows, int rowsPerInstance,
                   const std::function<void(GLsizei count)>& draw);

// Deletes the buffer and its texture. Needs the GL context.
void destroyInstanceBuffer();

// Forgets them without touching GL, for when the context is gone.
void forgetInstanceBuffer();
