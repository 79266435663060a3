#include "render/mesh.h"

#include <cmath>
#include <map>

#include "render/gl_check.h"
#include "render/model_import.h"
#include "render/shader_program.h"
#include "render/texture_manager.h"

namespace {

constexpr int kGridSide = 21; // vertices along each side of the grid

std::map<int, Mesh>& meshTable() {
    static std::map<int, Mesh> meshes{
        {MeshKind::PlanetSphere, {}}, {MeshKind::MoonSphere, {}},   {MeshKind::HullHigh, {}},
        {MeshKind::HullLow, {}},      {MeshKind::Turret, {}},       {MeshKind::LayerGrid, {}},
        {MeshKind::SkySphere, {}},    {MeshKind::MarkerSphere, {}}, {kMiddleSphereKind, {}},
        {kSmallSphereKind, {}},       {kTinySphereKind, {}},        {kTurretLowKind, {}},
        {kHullFarKind, {}},
    };
    return meshes;
}

void resizeVertices(Mesh& mesh, int vertexCount, int indexCount) {
    mesh.vertexCount = vertexCount;
    mesh.indexCount = indexCount;
    mesh.positions.assign(static_cast<std::size_t>(vertexCount) * 4, 0.0f);
    mesh.normals.assign(static_cast<std::size_t>(vertexCount) * 3, 0.0f);
    mesh.texCoords.assign(static_cast<std::size_t>(vertexCount) * 2, 0.0f);
    mesh.indices.assign(static_cast<std::size_t>(indexCount), 0u);
}

GLuint makeBuffer(GLenum target, const void* data, std::size_t bytes) {
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(target, buffer);
    glBufferData(target, static_cast<GLsizeiptr>(bytes), bytes > 0 ? data : nullptr,
                 GL_STATIC_DRAW);
    return buffer;
}

void wireAttribute(GLuint buffer, GLuint location, GLint size) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glVertexAttribPointer(location, size, GL_FLOAT, GL_FALSE, 0, nullptr);
    glEnableVertexAttribArray(location);
}

} // namespace

Mesh* meshForKind(int kind) {
    auto& meshes = meshTable();
    const auto found = meshes.find(kind);
    return found != meshes.end() ? &found->second : nullptr;
}

GLuint* textureOf(const ModelInstance& model) {
    if (model.textureKey == TextureKey::None) {
        return nullptr;
    }
    return textureManager().texture(model.textureKey);
}

void buildSphere(Mesh& mesh, float radius, int slices) {
    const int stacks = slices / 2;
    resizeVertices(mesh, (stacks + 1) * (slices + 1), 6 * slices * stacks);
    const float step = 6.2831855f / static_cast<float>(slices);
    for (int i = 0; i <= stacks; ++i) {
        const float phi = static_cast<float>(i) * step;
        const float y = radius * std::cos(phi);
        const float ring = radius * std::sin(phi);
        const float v = 1.0f - static_cast<float>(i) / static_cast<float>(stacks);
        for (int j = 0; j <= slices; ++j) {
            const float theta = static_cast<float>(j) * step;
            const float x = ring * std::sin(theta);
            const float z = ring * std::cos(theta);
            const std::size_t k = static_cast<std::size_t>(i * (slices + 1) + j);
            float* position = &mesh.positions[k * 4];
            position[0] = x;
            position[1] = y;
            position[2] = z;
            position[3] = 1.0f;
            float* normal = &mesh.normals[k * 3];
            normal[0] = x / radius;
            normal[1] = y / radius;
            normal[2] = z / radius;
            mesh.texCoords[k * 2] = static_cast<float>(j) / static_cast<float>(slices);
            mesh.texCoords[k * 2 + 1] = v;
        }
    }
    std::size_t n = 0;
    for (int band = 0; band < stacks; ++band) {
        for (int j = 0; j < slices; ++j) {
            const auto a = static_cast<std::uint32_t>(band * (slices + 1) + j);
            const auto s = static_cast<std::uint32_t>(slices);
            const std::uint32_t triangles[6] = {a, a + s + 1, a + s + 2, a, a + s + 2, a + 1};
            for (std::uint32_t index : triangles) {
                mesh.indices[n++] = index;
            }
        }
    }
}

void buildGrid(Mesh& mesh, float width, float height) {
    const int last = kGridSide - 1;
    resizeVertices(mesh, kGridSide * kGridSide, 2 * last * kGridSide);
    for (int k = 0; k < mesh.vertexCount; ++k) {
        const float u = static_cast<float>(k % kGridSide) / static_cast<float>(last);
        const float v = 1.0f - static_cast<float>(k / kGridSide) / static_cast<float>(last);
        const std::size_t i = static_cast<std::size_t>(k);
        mesh.positions[i * 4] = width * (u - 0.5f);
        mesh.positions[i * 4 + 1] = height * (v - 0.5f);
        mesh.positions[i * 4 + 2] = 0.0f;
        mesh.positions[i * 4 + 3] = 1.0f;
        mesh.normals[i * 3 + 2] = 1.0f;
        mesh.texCoords[i * 2] = u;
        mesh.texCoords[i * 2 + 1] = v;
    }
    // Each pair joins a vertex to the one below it in the same column. The
    // first band runs left to right, every later band right to left, so the
    // list also reads as one triangle strip that covers the whole sheet.
    for (int t = 0; t < mesh.indexCount / 2; ++t) {
        const int band = t / kGridSide;
        const int column = band == 0 ? t % kGridSide : last - t % kGridSide;
        const int upper = band * kGridSide + column;
        const int lower = upper + kGridSide;
        const std::size_t i = static_cast<std::size_t>(2 * t);
        mesh.indices[i] = static_cast<std::uint32_t>(band == 0 ? upper : lower);
        mesh.indices[i + 1] = static_cast<std::uint32_t>(band == 0 ? lower : upper);
    }
}

void buildAllMeshes() {
    importModel(MeshKind::HullHigh, *meshForKind(MeshKind::HullHigh));
    importModel(MeshKind::HullLow, *meshForKind(MeshKind::HullLow));
    importModel(MeshKind::Turret, *meshForKind(MeshKind::Turret));
    importModel(kTurretLowKind, *meshForKind(kTurretLowKind));
    importModel(kHullFarKind, *meshForKind(kHullFarKind));
    buildSphere(*meshForKind(MeshKind::SkySphere), 1.0f, 32);
    buildSphere(*meshForKind(MeshKind::PlanetSphere), 1.0f, 80);
    buildSphere(*meshForKind(kMiddleSphereKind), 1.0f, 40);
    buildSphere(*meshForKind(kSmallSphereKind), 1.0f, 24);
    buildSphere(*meshForKind(kTinySphereKind), 1.0f, 12);
    buildSphere(*meshForKind(MeshKind::MoonSphere), 0.3f, 16);
    buildSphere(*meshForKind(MeshKind::MarkerSphere), 1.0f, 8);
    buildGrid(*meshForKind(MeshKind::LayerGrid), 100.0f, 100.0f);
}

void uploadMesh(Mesh& mesh, const ShaderProgram& program) {
    glGenVertexArrays(1, &mesh.vertexArray);
    glBindVertexArray(mesh.vertexArray);
    const auto vertices = static_cast<std::size_t>(mesh.vertexCount);
    mesh.positionBuffer =
        makeBuffer(GL_ARRAY_BUFFER, mesh.positions.data(), vertices * 4 * sizeof(float));
    mesh.normalBuffer =
        makeBuffer(GL_ARRAY_BUFFER, mesh.normals.data(), vertices * 3 * sizeof(float));
    mesh.texCoordBuffer =
        makeBuffer(GL_ARRAY_BUFFER, mesh.texCoords.data(), vertices * 2 * sizeof(float));
    mesh.indexBuffer =
        makeBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.indices.data(),
                   static_cast<std::size_t>(mesh.indexCount) * sizeof(std::uint32_t));
    // An unlinked program has no inputs to wire; its passes draw nothing.
    if (program.program != 0) {
        const GLint position = glGetAttribLocation(program.program, "in_position");
        if (position >= 0) {
            wireAttribute(mesh.positionBuffer, static_cast<GLuint>(position), 4);
        }
        const GLint normal = glGetAttribLocation(program.program, "in_normal");
        if (normal >= 0) {
            wireAttribute(mesh.normalBuffer, static_cast<GLuint>(normal), 3);
        }
        const GLint texCoord = glGetAttribLocation(program.program, "in_texCoord");
        if (texCoord >= 0) {
            wireAttribute(mesh.texCoordBuffer, static_cast<GLuint>(texCoord), 2);
        }
    }
    checkGLError();
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void destroyMeshes() {
    for (auto& [kind, mesh] : meshTable()) {
        glDeleteVertexArrays(1, &mesh.vertexArray);
        const GLuint buffers[] = {mesh.positionBuffer, mesh.normalBuffer, mesh.indexBuffer,
                                  mesh.texCoordBuffer};
        glDeleteBuffers(4, buffers);
        mesh.vertexArray = 0;
        mesh.positionBuffer = 0;
        mesh.normalBuffer = 0;
        mesh.indexBuffer = 0;
        mesh.texCoordBuffer = 0;
    }
}

void forgetMeshes() {
    for (auto& [kind, mesh] : meshTable()) {
        mesh = Mesh{};
    }
}
