// One GLSL program made of a vertex and a fragment source file. Loading never
// throws and never stops the game: files that are missing, sources that do
// not compile and programs that do not link are reported on the console, and
// the program is left unlinked (its passes then draw nothing).
#pragma once

#include <array>
#include <string>

#include <epoxy/gl.h>

// The uniforms whose locations each program caches right after linking.
enum UniformSlot : int {
    ProjectionSlot = 0, // "projectionMatrix" (in fieldShader "modelViewProjectionMatrix", in
                        // shipShader "viewProjectionMatrix")
    ModelMatrixSlot = 1,
    ViewMatrixSlot = 2,
    NormalMatrixSlot = 3,
    LightDirectionSlot = 4,
    LightAmbientSlot = 5,
    LightDiffuseSlot = 6,
    LightSpecularSlot = 7,
    MaterialAmbientSlot = 8,
    MaterialDiffuseSlot = 9,
    MaterialSpecularSlot = 10,
    MaterialExponentSlot = 11,
    UniformSlotCount = 12,
};

// Vertex inputs and fragment outputs every program uses, at fixed locations
// so that one vertex array can serve several programs.
namespace ShaderInput {
constexpr GLuint Position = 0; // "in_position", 4 floats
constexpr GLuint Normal = 1;   // "in_normal", 3 floats
constexpr GLuint TexCoord = 2; // "in_texCoord", 2 floats
} // namespace ShaderInput

// Fragment outputs: the colour, and the glow that the scene passes write
// into the second attachment for the bloom pass.
namespace ShaderOutput {
constexpr GLuint Color = 0; // "out_color"
constexpr GLuint Glow = 1;  // "out_glow"
} // namespace ShaderOutput

class ShaderProgram {
  public:
    // Loads, compiles and links basePath + ".vert" and basePath + ".frag".
    explicit ShaderProgram(const std::string& basePath);

    // Frees the record only: the GL objects die with the context. Call
    // deleteGLObjects first while the context is still alive.
    ~ShaderProgram() = default;

    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;

    // Links the two shaders, into a new program object unless one is already
    // linked. On failure the program object is deleted and `program` is 0.
    void linkProgram();

    void deleteGLObjects();

    // Caches the location of `name` in `slot`.
    void cacheUniform(UniformSlot slot, const char* name);
    GLint uniform(UniformSlot slot) const { return uniformLocations[slot]; }

    std::array<GLint, UniformSlotCount> uniformLocations{};
    bool ready = false;
    GLuint vertexShader = 0;
    GLuint fragmentShader = 0;
    GLuint program = 0;

  private:
    void load(const std::string& basePath);
};

// Creates and compiles one shader object; 0 only when GL could not create
// it. A shader that fails to compile is reported and still returned.
GLuint compileShader(const std::string& source, GLenum type);
