// assetgen: writes the game's textures and ship models, or a contact sheet of them.
//
//   assetgen <game dir>                 writes <game dir>/Textures and <game dir>/Models
//   assetgen --contact-sheet <file.png> composes every image and model onto one sheet
//   assetgen --only <name> <game dir>   writes a single asset (for quick iteration)

#include <cstdio>
#include <filesystem>
#include <string>

#include <FreeImage.h>

#include "assets.h"
#include "contact_sheet.h"
#include "text.h"

namespace fs = std::filesystem;
using namespace assetgen;

namespace {

bool writeAssets(const fs::path& gameDir, const std::string& only) {
    const fs::path textures = gameDir / "Textures";
    const fs::path models = gameDir / "Models";
    fs::create_directories(textures);
    fs::create_directories(models);
    bool ok = true;
    for (const ImageAsset& asset : imageAssets()) {
        if (!only.empty() && asset.file != only)
            continue;
        const fs::path path = textures / asset.file;
        if (!saveImage(asset.make(), path.string(), asset.format, asset.withAlpha)) {
            std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
            ok = false;
        }
    }
    for (const ModelAsset& asset : modelAssets()) {
        if (!only.empty() && asset.file != only)
            continue;
        const fs::path path = models / asset.file;
        if (!writeObj(asset.make(), path.string())) {
            std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
            ok = false;
        }
    }
    return ok;
}

int usage() {
    std::fprintf(stderr, "usage: assetgen <game dir>\n"
                         "       assetgen --contact-sheet <sheet.png>\n"
                         "       assetgen --only <file name> <game dir>\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    // The screens are mostly text: without the fonts they would come out blank.
    if (!TextRenderer().ok()) {
        std::fprintf(stderr,
                     "assetgen: the DejaVu fonts are missing (package fonts-dejavu-core)\n");
        return 1;
    }
    FreeImage_Initialise(FALSE);
    int status = 0;
    const std::string first = argc > 1 ? argv[1] : "";
    if (argc == 3 && first == "--contact-sheet")
        status = writeContactSheet(argv[2]) ? 0 : 1;
    else if (argc == 4 && first == "--only")
        status = writeAssets(argv[3], argv[2]) ? 0 : 1;
    else if (argc == 2 && !first.starts_with("--"))
        status = writeAssets(first, "") ? 0 : 1;
    else
        status = usage();
    FreeImage_DeInitialise();
    return status;
}
