// Arbitrary bytes through the ship model importer, as if they were one of
// the game's OBJ files.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "render/mesh.h"
#include "render/model_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Mesh mesh;
    if (!importModelFromMemory(data, size, mesh)) {
        // A failed import leaves the mesh empty: it uploads and draws nothing.
        if (mesh.vertexCount != 0 || mesh.indexCount != 0 || !mesh.indices.empty())
            std::abort();
        return 0;
    }
    // The upload sends vertexCount vertices and indexCount indices as
    // triangles; every index must name a vertex that was sent.
    const auto vertices = static_cast<std::size_t>(mesh.vertexCount);
    if (mesh.vertexCount < 0 || mesh.positions.size() != vertices * 4 ||
        mesh.normals.size() != vertices * 3 || mesh.texCoords.size() != vertices * 2 ||
        mesh.indices.size() != static_cast<std::size_t>(mesh.indexCount) ||
        mesh.indexCount % 3 != 0) {
        std::abort();
    }
    for (std::uint32_t index : mesh.indices) {
        if (index >= vertices)
            std::abort();
    }
    return 0;
}
