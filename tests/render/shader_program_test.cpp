// Every program the game loads links with the interface its pass uses; a
// broken file is reported with the compiler's log. A missing file, and that
// the game plays on without it free of GL errors, the end-to-end test of
// broken game files checks.
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
    EXPECT_EQ(
        shaderProgram(Program::Field).uniform(ProjectionSlot),
        glGetUniformLocation(shaderProgram(Program::Field).program, "modelViewProjectionMatrix"));
    EXPECT_EQ(takeGLError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShaderProgramTest, ASyntaxErrorPrintsTheCompileAndLinkFailuresWithTheirLogs) {
    ScratchFolder scratch;
    writeText(
        scratch.path() / "Shaders/broken.vert",
        "#version 150 core\nin vec4 in_position;\nvoid main() { gl_Position = in_position; }\n");
    writeText(scratch.path() / "Shaders/broken.frag",
              "#version 150 core\nout vec4 out_color;\nvoid main() { out_color = vec4(1) }\n");
    ScopedWorkingDirectory inScratch(scratch.path());
    std::unique_ptr<ShaderProgram> program;
    const CapturedOutput output =
        captureOutput([&program] { program = std::make_unique<ShaderProgram>("Shaders/broken"); });
    const std::string& out = output.out;
    const std::size_t compile = out.find("Shader compilation failed.\n");
    const std::size_t link = out.find("Shader linking failed.\n");
    ASSERT_EQ(compile, 0u) << out;
    ASSERT_NE(link, std::string::npos) << out;
    EXPECT_GT(link, compile + 30) << "no compile log between the two messages:\n" << out;
    EXPECT_NE(out.find("error", compile), std::string::npos);
    EXPECT_GT(out.size(), link + 30) << "no link log:\n" << out;
    EXPECT_EQ(output.err, "");
    EXPECT_FALSE(program->ready);
    EXPECT_EQ(program->program, 0u);
    EXPECT_NE(program->vertexShader, 0u);
    EXPECT_NE(program->fragmentShader, 0u);
    program->deleteGLObjects();
}

} // namespace
