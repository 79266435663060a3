// The catalogue of everything the generator writes into the game folder.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "image.h"
#include "mesh.h"

namespace assetgen {

struct ImageAsset {
    std::string file; // name inside Textures/
    FileFormat format;
    bool withAlpha; // 32 bits per pixel when set, otherwise 24
    std::function<Image()> make;
};

struct ModelAsset {
    std::string file; // name inside Models/
    std::function<Mesh()> make;
};

const std::vector<ImageAsset>& imageAssets();
const std::vector<ModelAsset>& modelAssets();

} // namespace assetgen
