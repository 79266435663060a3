// The scene's and the post-processing's GLSL programs, built once at render
// start-up: nine of the ten in Shaders/; the on-screen text builds its own.
#pragma once

#include <utility>
#include <vector>

#include "render/shader_program.h"

// In build order.
enum class Program : int {
    Ship,
    Field,
    Planetary,
    Billboard,
    LensFlare,
    Laser,
    Starbox,
    Bloom,
    Framebuffer,
    Count,
};

constexpr int kProgramCount = static_cast<int>(Program::Count);

// Binds the colour and glow outputs and links again so the binding takes
// effect: every program that draws into the scene needs it.
void bindOutputs(ShaderProgram& program);

// The name of a program and of its files in Shaders/.
const char* programBaseName(Program id);

// The uniforms a program caches after linking, in lookup order.
const std::vector<std::pair<UniformSlot, const char*>>& cachedUniforms(Program id);

// Builds these nine programs from Shaders/ in build order, binds their
// outputs, caches their uniforms, then builds the full-screen quad and
// wires the meshes to the programs that draw them. Programs that fail are
// reported and stay unlinked.
void createShaderPrograms();

// A built program. Only valid between createShaderPrograms and
// forgetShaderPrograms.
ShaderProgram& shaderProgram(Program id);

// Deletes the programs' GL objects and the records. Needs the GL context.
void deleteShaderPrograms();

// Frees the records without touching GL, for when the context is gone.
void forgetShaderPrograms();
