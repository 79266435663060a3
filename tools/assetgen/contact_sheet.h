// One overview picture of every generated image and model, for review.
#pragma once

#include <string>

namespace assetgen {

bool writeContactSheet(const std::string& path);

} // namespace assetgen
