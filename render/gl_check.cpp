#include "render/gl_check.h"

#include <iostream>

#include <epoxy/gl.h>

#include "platform/window.h"
#include "render/render_state.h"

bool checkGLVersion(int major, int minor, std::ostream& errors) {
    if (major > 3 || (major == 3 && minor >= 2)) {
        return true;
    }
    errors << "Error: OpenGL version 3.2 not supported.\n";
    errors << "       Your version is " << major << "." << minor << ".\n";
    errors << "       Try updating your graphics driver.\n";
    errors.flush();
    return false;
}

bool checkGLContext() {
    int major = 0;
    int minor = 0;
    glContextVersion(major, minor);
    // libepoxy looks every entry point up lazily through the current context.
    if (!checkGLVersion(major, minor, std::cerr)) {
        return false;
    }
    renderState().hasDebugOutputExtension = isExtensionSupported("GL_ARB_debug_output") ? 1 : 0;
    renderState().hasAnisotropicFilterExtension =
        isExtensionSupported("GL_EXT_texture_filter_anisotropic") ? 1 : 0;
    return true;
}

const char* glErrorText(unsigned int code) {
    switch (code) {
    case GL_INVALID_ENUM:
        return "GL: enum argument out of range.";
    case GL_INVALID_VALUE:
        return "GL: Numeric argument out of range.";
    case GL_INVALID_OPERATION:
        return "GL: Operation illegal in current state.";
    case GL_OUT_OF_MEMORY:
        return "GL: Not enough memory left to execute command.";
    case GL_INVALID_FRAMEBUFFER_OPERATION:
        return "GL: Framebuffer object is not complete.";
    default:
        return "GL: Unknown error.";
    }
}

void checkGLError() {
    const GLenum code = glGetError();
    if (code != GL_NO_ERROR) {
        std::cerr << glErrorText(code) << std::endl;
    }
}
