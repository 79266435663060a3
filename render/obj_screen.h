// A strict check of Wavefront OBJ text before the model library parses it.
// The ships need only positions, normals, texture coordinates and faces;
// anything else (material libraries, binary bytes, malformed numbers, face
// indices that name no vertex) is refused, because the library's own parser
// crashes on some such input.
#pragma once

#include <string_view>

bool isPlainObjModel(std::string_view text);
