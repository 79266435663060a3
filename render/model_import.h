// The three ship models, read from Wavefront OBJ files in ./Models/.
#pragma once

#include <cstddef>
#include <string>

struct Mesh;

// The model file of a mesh kind (high- and low-detail hull, turret), or
// null for other kinds.
const char* modelFileName(int meshKind);

// Reads ./Models/<file of meshKind> into the mesh. A missing or unreadable
// file, or one without a mesh, leaves the mesh as it was and returns false.
bool importModel(int meshKind, Mesh& mesh);

// The same for any model file. A file that cannot be read or is refused is
// named on standard error with the reason.
bool importModelFile(const std::string& path, Mesh& mesh);

// The same for the bytes of an OBJ file already in memory, silently.
bool importModelFromMemory(const void* bytes, std::size_t size, Mesh& mesh);
