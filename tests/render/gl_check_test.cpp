#include <sstream>
#include <string>

#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include "platform/window.h"
#include "render/gl_check.h"
#include "tests/render/gl_test_support.h"

namespace {

TEST(GLVersionTest, RefusesContextsOlderThanThreeTwoAndAcceptsLaterOnesSilently) {
    std::ostringstream errors;
    EXPECT_FALSE(checkGLVersion(3, 1, errors));
    EXPECT_EQ(errors.str(), "Error: OpenGL version 3.2 not supported.\n"
                            "       Your version is 3.1.\n"
                            "       Try updating your graphics driver.\n");
    EXPECT_FALSE(checkGLVersion(2, 9, errors));
    for (const auto& [major, minor] : {std::pair{3, 2}, {3, 3}, {4, 0}, {4, 6}}) {
        std::ostringstream none;
        EXPECT_TRUE(checkGLVersion(major, minor, none)) << major << "." << minor;
        EXPECT_EQ(none.str(), "");
    }
}

// A real window with the game's GL context, opened once for the suite.
class GLContextTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        terminateWindowing(); // a window of an earlier suite would stay current
        initWindowing();
        windowOpened = openGameWindow();
    }
    static void TearDownTestSuite() { terminateWindowing(); }

    void SetUp() override {
        ASSERT_TRUE(windowOpened) << "no GL window (is a display running?)";
        takeGLError();
    }

    // What one checkGLError call writes to standard error.
    static std::string reported() {
        testing::internal::CaptureStderr();
        checkGLError();
        return testing::internal::GetCapturedStderr();
    }

    static inline bool windowOpened = false;
};

TEST_F(GLContextTest, GameContextPassesTheCheck) {
    testing::internal::CaptureStderr();
    EXPECT_TRUE(checkGLContext());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(hasDebugOutputExtension, isExtensionSupported("GL_ARB_debug_output") ? 1 : 0);
    EXPECT_EQ(hasAnisotropicFilterExtension,
              isExtensionSupported("GL_EXT_texture_filter_anisotropic") ? 1 : 0);
    // Entry points beyond GL 1.1 work through the loader.
    GLuint vertexArray = 0;
    glGenVertexArrays(1, &vertexArray);
    EXPECT_NE(vertexArray, 0u);
    glDeleteVertexArrays(1, &vertexArray);
    EXPECT_EQ(reported(), "");
}

TEST_F(GLContextTest, EachProvokedErrorGetsItsLineAndOneCallReportsOnlyTheOldest) {
    glEnable(0x1234);
    EXPECT_EQ(reported(), "GL: enum argument out of range.\n");

    glViewport(0, 0, -1, -1);
    EXPECT_EQ(reported(), "GL: Numeric argument out of range.\n");

    glBindVertexArray(0xBADu); // a name glGenVertexArrays never gave out
    EXPECT_EQ(reported(), "GL: Operation illegal in current state.\n");

    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer); // no attachments: incomplete
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(reported(), "GL: Framebuffer object is not complete.\n");
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);

    glPopDebugGroup(); // the debug group stack is empty: a stack underflow
    EXPECT_EQ(reported(), "GL: Unknown error.\n");

    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr{1} << 60, nullptr, GL_STATIC_DRAW);
    EXPECT_EQ(reported(), "GL: Not enough memory left to execute command.\n");
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDeleteBuffers(1, &buffer);

    // One call writes only the oldest error; Mesa keeps no others.
    glViewport(0, 0, -1, -1);
    glEnable(0x1234);
    EXPECT_EQ(reported(), "GL: Numeric argument out of range.\n");
    const std::string next = reported();
    EXPECT_TRUE(next == "" || next == "GL: enum argument out of range.\n") << next;
    EXPECT_EQ(reported(), "");
}

} // namespace
