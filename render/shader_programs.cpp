#include "render/shader_programs.h"

#include <array>
#include <memory>
#include <string>

#include "render/gl_check.h"
#include "render/mesh.h"
#include "render/quads.h"

namespace {

using UniformList = std::vector<std::pair<UniformSlot, const char*>>;

struct ProgramRow {
    const char* name;
    UniformList uniforms;
};

const UniformList kLitUniforms = {
    {ProjectionSlot, "projectionMatrix"},     {ModelMatrixSlot, "modelMatrix"},
    {ViewMatrixSlot, "viewMatrix"},           {NormalMatrixSlot, "normalMatrix"},
    {LightDirectionSlot, "light.direction"},  {LightAmbientSlot, "light.ambientColor"},
    {LightDiffuseSlot, "light.diffuseColor"}, {LightSpecularSlot, "light.specularColor"},
};

UniformList withUniforms(UniformList list, const UniformList& more) {
    list.insert(list.end(), more.begin(), more.end());
    return list;
}

const std::array<ProgramRow, kProgramCount>& programTable() {
    static const std::array<ProgramRow, kProgramCount> table{{
        // Ships take their matrices, light direction and materials per instance.
        {"shipShader",
         {{ProjectionSlot, "viewProjectionMatrix"},
          {LightAmbientSlot, "light.ambientColor"},
          {LightDiffuseSlot, "light.diffuseColor"},
          {LightSpecularSlot, "light.specularColor"}}},
        {"fieldShader", {{ProjectionSlot, "modelViewProjectionMatrix"}}},
        {"planetaryShader",
         withUniforms(kLitUniforms, {{MaterialDiffuseSlot, "material.diffuseColor"}})},
        {"billboardShader", {{ModelMatrixSlot, "modelMatrix"}}},
        {"LensFlare", {{ModelMatrixSlot, "modelMatrix"}}},
        {"laserShader", {}}, // transforms per instance
        {"starboxShader",
         {{ModelMatrixSlot, "modelMatrix"},
          {ViewMatrixSlot, "viewMatrix"},
          {ProjectionSlot, "projectionMatrix"}}},
        {"bloomShader", {}},
        {"framebufferShader", {}},
    }};
    return table;
}

std::array<std::unique_ptr<ShaderProgram>, kProgramCount> programs;

void wireMeshes() {
    buildFullScreenQuad(shaderProgram(Program::Framebuffer));
    for (int kind : {MeshKind::MoonSphere, kTinySphereKind, kSmallSphereKind, kMiddleSphereKind,
                     MeshKind::PlanetSphere, MeshKind::MarkerSphere}) {
        uploadMesh(*meshForKind(kind), shaderProgram(Program::Planetary));
    }
    uploadMesh(*meshForKind(MeshKind::LayerGrid), shaderProgram(Program::Field));
    for (int kind :
         {MeshKind::HullHigh, MeshKind::HullLow, MeshKind::Turret, kTurretLowKind, kHullFarKind}) {
        uploadMesh(*meshForKind(kind), shaderProgram(Program::Ship));
    }
    uploadMesh(*meshForKind(MeshKind::SkySphere), shaderProgram(Program::Starbox));
}

} // namespace

void bindOutputs(ShaderProgram& program) {
    glBindFragDataLocation(program.program, ShaderOutput::Color, "out_color");
    glBindFragDataLocation(program.program, ShaderOutput::Glow, "out_glow");
    program.linkProgram();
}

const char* programBaseName(Program id) {
    return programTable()[static_cast<std::size_t>(id)].name;
}

const std::vector<std::pair<UniformSlot, const char*>>& cachedUniforms(Program id) {
    return programTable()[static_cast<std::size_t>(id)].uniforms;
}

void createShaderPrograms() {
    checkGLError();
    for (int i = 0; i < kProgramCount; ++i) {
        const ProgramRow& row = programTable()[static_cast<std::size_t>(i)];
        auto program = std::make_unique<ShaderProgram>(std::string("Shaders/") + row.name);
        if (program->program != 0) {
            bindOutputs(*program);
            program->ready = program->program != 0;
        }
        for (const auto& [slot, name] : row.uniforms) {
            program->cacheUniform(slot, name);
        }
        programs[static_cast<std::size_t>(i)] = std::move(program);
    }
    wireMeshes();
}

ShaderProgram& shaderProgram(Program id) {
    return *programs[static_cast<std::size_t>(id)];
}

void deleteShaderPrograms() {
    for (auto& program : programs) {
        if (program != nullptr) {
            program->deleteGLObjects();
        }
    }
    forgetShaderPrograms();
}

void forgetShaderPrograms() {
    for (auto& program : programs) {
        program.reset();
    }
}
