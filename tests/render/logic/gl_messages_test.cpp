// What the game prints about the GL context and its errors.
#include <sstream>

#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include "render/gl_check.h"

namespace {

TEST(GLVersionTest, RefusesContextsOlderThanThreeTwoAndAcceptsLaterOnesSilently) {
    std::ostringstream errors;
    EXPECT_FALSE(checkGLVersion(3, 1, errors));
    EXPECT_EQ(errors.str(), "Error: OpenGL version 3.2 not supported.\n"
                            "       Your version is 3.1.\n"
                            "       Try updating your graphics driver.\n");
    EXPECT_FALSE(checkGLVersion(2, 9, errors));
    for (const auto& [major, minor] : {std::pair{3, 2}, {3, 3}, {4, 0}}) {
        std::ostringstream none;
        EXPECT_TRUE(checkGLVersion(major, minor, none)) << major << "." << minor;
        EXPECT_EQ(none.str(), "");
    }
}

TEST(GLErrorTextTest, EveryErrorCodeHasItsLine) {
    const std::pair<unsigned, const char*> lines[] = {
        {GL_INVALID_ENUM, "GL: enum argument out of range."},
        {GL_INVALID_VALUE, "GL: Numeric argument out of range."},
        {GL_INVALID_OPERATION, "GL: Operation illegal in current state."},
        {GL_OUT_OF_MEMORY, "GL: Not enough memory left to execute command."},
        {GL_INVALID_FRAMEBUFFER_OPERATION, "GL: Framebuffer object is not complete."},
        {GL_STACK_UNDERFLOW, "GL: Unknown error."},
    };
    for (const auto& [code, line] : lines) {
        EXPECT_STREQ(glErrorText(code), line) << code;
    }
}

} // namespace
