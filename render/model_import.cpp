#include "render/model_import.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <fstream>
#include <iostream>
#include <iterator>
#include <string_view>

#include "render/mesh.h"
#include "render/obj_screen.h"

namespace {

constexpr unsigned kImportFlags = aiProcess_CalcTangentSpace | aiProcess_JoinIdenticalVertices |
                                  aiProcess_Triangulate | aiProcess_GenSmoothNormals |
                                  aiProcess_FlipUVs;

int triangleCount(const aiMesh& source) {
    int count = 0;
    for (unsigned f = 0; f < source.mNumFaces; ++f) {
        count += source.mFaces[f].mNumIndices == 3 ? 1 : 0;
    }
    return count;
}

void copyMesh(const aiMesh& source, Mesh& mesh) {
    const auto vertices = static_cast<std::size_t>(source.mNumVertices);
    mesh.vertexCount = static_cast<int>(source.mNumVertices);
    mesh.positions.assign(vertices * 4, 0.0f);
    mesh.normals.assign(vertices * 3, 0.0f);
    mesh.texCoords.assign(vertices * 2, 0.0f);
    for (std::size_t v = 0; v < vertices; ++v) {
        const aiVector3D& p = source.mVertices[v];
        mesh.positions[v * 4] = p.x;
        mesh.positions[v * 4 + 1] = p.y;
        mesh.positions[v * 4 + 2] = p.z;
        mesh.positions[v * 4 + 3] = 1.0f;
        if (source.HasNormals()) {
            const aiVector3D& n = source.mNormals[v];
            mesh.normals[v * 3] = n.x;
            mesh.normals[v * 3 + 1] = n.y;
            mesh.normals[v * 3 + 2] = n.z;
        }
        if (source.HasTextureCoords(0)) {
            mesh.texCoords[v * 2] = source.mTextureCoords[0][v].x;
            mesh.texCoords[v * 2 + 1] = source.mTextureCoords[0][v].y;
        }
    }
    // Triangulation leaves stray points and lines as they are; only
    // triangles are drawn, so a face with fewer corners is skipped rather
    // than read past its end.
    mesh.indexCount = 3 * triangleCount(source);
    mesh.indices.clear();
    mesh.indices.reserve(static_cast<std::size_t>(mesh.indexCount));
    for (unsigned f = 0; f < source.mNumFaces; ++f) {
        const aiFace& face = source.mFaces[f];
        if (face.mNumIndices == 3) {
            mesh.indices.insert(mesh.indices.end(), face.mIndices, face.mIndices + 3);
        }
    }
}

// Only the scene's first mesh is the model; a scene without one leaves the
// mesh as it was.
bool takeFirstMesh(const aiScene* scene, Mesh& mesh) {
    if (scene == nullptr || scene->mNumMeshes == 0 || scene->mMeshes[0] == nullptr) {
        return false;
    }
    copyMesh(*scene->mMeshes[0], mesh);
    return true;
}

// Builds the mesh from OBJ text; empty when it was built, otherwise why not.
std::string importObjText(std::string_view text, Mesh& mesh) {
    const ObjScreening screened = screenObjModel(text);
    if (!screened.refusal.empty()) {
        return screened.refusal;
    }
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFileFromMemory(screened.model.data(), screened.model.size(),
                                                       kImportFlags, "obj");
    return takeFirstMesh(scene, mesh) ? std::string{} : "no mesh in it";
}

} // namespace

const char* modelFileName(int meshKind) {
    switch (meshKind) {
#define MODEL(kind, file)                                                                          \
    case kind:                                                                                     \
        return file;
#include "render/game_files.inc"
    default:
        return nullptr;
    }
}

bool importModel(int meshKind, Mesh& mesh) {
    const char* file = modelFileName(meshKind);
    return file != nullptr && importModelFile(std::string("./Models/") + file, mesh);
}

// A model that cannot be read is named on standard error; the game goes on
// without it.
bool importModelFile(const std::string& path, Mesh& mesh) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::cerr << "Cannot read model file " << path << std::endl;
        return false;
    }
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const std::string refusal = importObjText(bytes, mesh);
    if (!refusal.empty()) {
        std::cerr << "Model file " << path << " refused: " << refusal << std::endl;
    }
    return refusal.empty();
}

bool importModelFromMemory(const void* bytes, std::size_t size, Mesh& mesh) {
    return bytes != nullptr && importObjText({static_cast<const char*>(bytes), size}, mesh).empty();
}
