// Every program the game loads links with the interface its pass uses
// (broken files: the end-to-end test of broken data).
#include <string>

#include <gtest/gtest.h>

#include "render/renderer.h"
#include "render/shader_programs.h"
#include "tests/render/gl_test_support.h"

namespace {

class ShaderProgramTest : public GLTest {
  protected:
    void TearDown() override { destroyRendererObjects(); }
};

TEST_F(ShaderProgramTest, AllNineProgramsLinkWithTheInterfaceTheirPassesUse) {
    ScopedWorkingDirectory inGame(gameDirectory());
    const CapturedOutput output = captureOutput(createShaderPrograms);
    EXPECT_EQ(output.out, "");
    EXPECT_EQ(output.err, "");
    for (int i = 0; i < kProgramCount; ++i) {
        const Program id = static_cast<Program>(i);
        const ShaderProgram& program = shaderProgram(id);
        SCOPED_TRACE(programBaseName(id));
        ASSERT_TRUE(program.ready);
        ASSERT_NE(program.program, 0u);
        EXPECT_EQ(glGetFragDataLocation(program.program, "out_color"), 0);
        const bool scenePass = id != Program::Bloom && id != Program::Framebuffer;
        EXPECT_EQ(glGetFragDataLocation(program.program, "out_glow"), scenePass ? 1 : -1);
        EXPECT_EQ(glGetAttribLocation(program.program, "in_position"), 0);
        // Every uniform the passes upload is live in the linked program.
        for (const auto& [slot, uniform] : cachedUniforms(id)) {
            EXPECT_EQ(program.uniform(slot), glGetUniformLocation(program.program, uniform))
                << uniform;
            EXPECT_GE(program.uniform(slot), 0) << uniform;
        }
    }
    EXPECT_EQ(takeGLError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
