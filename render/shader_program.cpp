#include "render/shader_program.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <vector>

#include "render/gl_check.h"

namespace {

constexpr GLsizei kInfoLogSize = 8096;

// The whole file, or nothing when it cannot be opened.
std::optional<std::string> readSource(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file.good()) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void printShaderLog(GLuint shader) {
    std::vector<char> log(kInfoLogSize);
    log[0] = '\0';
    GLsizei length = 0;
    glGetShaderInfoLog(shader, kInfoLogSize, &length, log.data());
    if (length > 0) {
        std::cout << log.data() << std::endl;
    }
}

void printProgramLog(GLuint program) {
    std::vector<char> log(kInfoLogSize);
    log[0] = '\0';
    GLsizei length = 0;
    glGetProgramInfoLog(program, kInfoLogSize, &length, log.data());
    if (length > 0) {
        std::cout << log.data() << std::endl;
    }
}

} // namespace

GLuint compileShader(const std::string& source, GLenum type) {
    const GLuint shader = glCreateShader(type);
    if (shader == 0) {
        std::cerr << "Could not create shader object." << std::endl;
        return 0;
    }
    const GLchar* text = source.data();
    const GLint length = static_cast<GLint>(source.size());
    glShaderSource(shader, 1, &text, &length);
    glCompileShader(shader);
    GLint status = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status != GL_TRUE) {
        std::cout << "Shader compilation failed." << std::endl;
        printShaderLog(shader);
    }
    checkGLError();
    return shader;
}

ShaderProgram::ShaderProgram(const std::string& basePath) {
    uniformLocations.fill(-1);
    load(basePath);
}

void ShaderProgram::load(const std::string& basePath) {
    const std::optional<std::string> vertexSource = readSource(basePath + ".vert");
    if (!vertexSource) {
        std::cerr << "Vertex shader file " << basePath << ".vert does not exist." << std::endl;
        return;
    }
    const std::optional<std::string> fragmentSource = readSource(basePath + ".frag");
    if (!fragmentSource) {
        std::cerr << "Fragment shader file " << basePath << ".frag does not exist." << std::endl;
        return;
    }
    vertexShader = compileShader(*vertexSource, GL_VERTEX_SHADER);
    if (vertexShader == 0) {
        return;
    }
    checkGLError();
    fragmentShader = compileShader(*fragmentSource, GL_FRAGMENT_SHADER);
    if (fragmentShader == 0) {
        return;
    }
    checkGLError();
    linkProgram();
    if (program != 0) {
        ready = true;
        checkGLError();
    }
}

void ShaderProgram::linkProgram() {
    // Linking again reuses the program object, so bindings made on it since
    // the first link take effect.
    if (program == 0) {
        program = glCreateProgram();
        glAttachShader(program, vertexShader);
        glAttachShader(program, fragmentShader);
    }
    // The same locations in every program: the full-screen quad serves the
    // bloom and composite programs, the billboard quad the billboard and
    // lens-flare programs.
    glBindAttribLocation(program, ShaderInput::Position, "in_position");
    glBindAttribLocation(program, ShaderInput::Normal, "in_normal");
    glBindAttribLocation(program, ShaderInput::TexCoord, "in_texCoord");
    glLinkProgram(program);
    GLint status = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    if (status != GL_TRUE) {
        std::cout << "Shader linking failed." << std::endl;
        printProgramLog(program);
        glDeleteProgram(program);
        program = 0;
    }
    checkGLError();
}

void ShaderProgram::cacheUniform(UniformSlot slot, const char* name) {
    uniformLocations[slot] = program != 0 ? glGetUniformLocation(program, name) : -1;
}

void ShaderProgram::deleteGLObjects() {
    if (program != 0) {
        glDeleteProgram(program);
    }
    if (vertexShader != 0) {
        glDeleteShader(vertexShader);
    }
    if (fragmentShader != 0) {
        glDeleteShader(fragmentShader);
    }
    program = 0;
    vertexShader = 0;
    fragmentShader = 0;
    ready = false;
}
