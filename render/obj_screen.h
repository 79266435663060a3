// A check of Wavefront OBJ text before the model library parses it, because
// the library's own parser crashes on some malformed input. The ships need
// only positions, normals, texture coordinates, faces and the object, group,
// smoothing and material names that split a file into meshes: those are
// checked and passed on, written plainly; everything else a modelling
// program writes (comments, material libraries, free-form geometry) is
// skipped, and vertex colours are dropped.
#pragma once

#include <string>
#include <string_view>

struct ObjScreening {
    std::string model;   // the statements passed on, for the model library
    std::string refusal; // why the text was refused; empty when it passed
};

ObjScreening screenObjModel(std::string_view text);
