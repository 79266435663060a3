// The GL checks against the game's real context. What each error code
// prints is checked headless (logic/gl_messages_test.cpp); here, that the
// game's context passes, and that errors the driver must raise are reported
// one line a call.
#include <string>

#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include "render/gl_check.h"
#include "tests/render/gl_test_support.h"

namespace {

class GLCheckTest : public GLTest {
  protected:
    void SetUp() override {
        GLTest::SetUp();
        takeGLError();
    }
    // What one checkGLError call writes to standard error.
    static std::string reported() { return captureOutput(checkGLError).err; }
};

TEST_F(GLCheckTest, GameContextPassesTheCheckSilently) {
    const CapturedOutput output = captureOutput([] { EXPECT_TRUE(checkGLContext()); });
    EXPECT_EQ(output.err, "");
    GLuint vertexArray = 0; // entry points beyond GL 1.1 work through the loader
    glGenVertexArrays(1, &vertexArray);
    EXPECT_NE(vertexArray, 0u);
    glDeleteVertexArrays(1, &vertexArray);
    EXPECT_EQ(reported(), "");
}

TEST_F(GLCheckTest, EachProvokedErrorGetsItsLineAndOneCallReportsOnlyTheOldest) {
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

    glViewport(0, 0, -1, -1);
    glEnable(0x1234);
    EXPECT_EQ(reported(), "GL: Numeric argument out of range.\n");
    takeGLError();
    EXPECT_EQ(reported(), "");
}

} // namespace
