// Writes the fuzz targets' starting corpora: small images in every format and
// depth the image library may hand the texture loader, whole and cut short,
// and small OBJ models with the features the importer meets.
//   make_seeds <folder>   fills <folder>/image and <folder>/model
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include <FreeImage.h>

namespace fs = std::filesystem;

namespace {

// Last byte of an image seed: the texture table's row, 0 for one with 24-bit
// rows (planet1.bmp), 8 for one with 32-bit rows (a ship icon).
constexpr char kRowBgr = 0, kRowBgra = 8;

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A 5 x 3 gradient (rows that need padding) converted to the given depth.
FIBITMAP* gradient(unsigned bits) {
    FIBITMAP* image = FreeImage_Allocate(5, 3, 24);
    for (unsigned y = 0; y < 3; ++y)
        for (unsigned x = 0; x < 5; ++x) {
            const RGBQUAD colour{BYTE(x * 50), BYTE(y * 100), BYTE(200 - x * 30), 0};
            FreeImage_SetPixelColor(image, x, y, const_cast<RGBQUAD*>(&colour));
        }
    FIBITMAP* converted = bits == 1    ? FreeImage_Threshold(image, 128)
                          : bits == 4  ? FreeImage_ConvertTo4Bits(image)
                          : bits == 8  ? FreeImage_ConvertToGreyscale(image)
                          : bits == 16 ? FreeImage_ConvertToType(image, FIT_UINT16)
                          : bits == 24 ? FreeImage_Clone(image)
                          : bits == 32 ? FreeImage_ConvertTo32Bits(image)
                          : bits == 48 ? FreeImage_ConvertToType(image, FIT_RGB16)
                                       : FreeImage_ConvertToType(image, FIT_RGBF);
    FreeImage_Unload(image);
    return converted;
}

std::string encode(FIBITMAP* image, FREE_IMAGE_FORMAT format, int flags) {
    FIMEMORY* memory = FreeImage_OpenMemory();
    BYTE* data = nullptr;
    DWORD size = 0;
    if (image != nullptr && FreeImage_SaveToMemory(format, image, memory, flags))
        FreeImage_AcquireMemory(memory, &data, &size);
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    FreeImage_CloseMemory(memory);
    FreeImage_Unload(image);
    return bytes;
}

void writeImageSeeds(const fs::path& folder) {
    const struct {
        const char* name;
        FREE_IMAGE_FORMAT format;
        unsigned bits;
        int flags;
    } seeds[] = {
        {"bmp24", FIF_BMP, 24, 0},  {"bmp32", FIF_BMP, 32, 0},
        {"bmp8", FIF_BMP, 8, 0},    {"bmp8rle", FIF_BMP, 8, BMP_SAVE_RLE},
        {"bmp4", FIF_BMP, 4, 0},    {"bmp1", FIF_BMP, 1, 0},
        {"png24", FIF_PNG, 24, 0},  {"png32", FIF_PNG, 32, 0},
        {"png8", FIF_PNG, 8, 0},    {"png16", FIF_PNG, 16, 0},
        {"png48", FIF_PNG, 48, 0},  {"jpg24", FIF_JPEG, 24, JPEG_QUALITYGOOD},
        {"jpg8", FIF_JPEG, 8, 0},   {"jpgprogressive", FIF_JPEG, 24, JPEG_PROGRESSIVE},
        {"tif24", FIF_TIFF, 24, 0}, {"tif32", FIF_TIFF, 32, TIFF_LZW},
        {"tif8", FIF_TIFF, 8, 0},   {"tiffloat", FIF_TIFF, 96, 0},
    };
    int written = 0;
    for (const auto& seed : seeds) {
        const std::string bytes = encode(gradient(seed.bits), seed.format, seed.flags);
        if (bytes.empty()) {
            std::cerr << "make_seeds: could not encode " << seed.name << "\n";
            continue;
        }
        const std::string name = seed.name;
        writeFile(folder / (name + "-bgr"), bytes + kRowBgr);
        writeFile(folder / (name + "-bgra"), bytes + kRowBgra);
        writeFile(folder / (name + "-truncated"), bytes.substr(0, bytes.size() / 2) + kRowBgr);
        written += 3;
    }
    std::cout << "make_seeds: " << written << " image seeds\n";
}

void writeModelSeeds(const fs::path& folder) {
    const std::pair<const char*, const char*> seeds[] = {
        {"triangle", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"},
        {"quad", "# with texture coordinates and normals\no quad\nusemtl hull\n"
                 "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
                 "vn 0 0 1\nf 1/1/1 2/2/1 3/3/1 4/4/1\n"},
        {"polygon-negative", "g hull\ns 1\nv 0 0 0\nv 2 0 0\nv 3 1 0\nv 2 2 0\nv 0 2 0\nv -1 1 0\n"
                             "f -6 -5 -4 -3 -2 -1\n"},
        {"lines-points", "v 0 0 0\nv 1 0 0\nv 1 1 0\nl 1 2 3\np 1\nf 1 2 3\n"},
        {"two-objects",
         "mtllib ship.mtl\no first\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nf 1//1 2//1 3//1\n"
         "o second\nv 0 0 1\nv 1 0 1\nv 0 1 1\nf 4 5 6\n"},
        {"no-faces", "v 0 0 0\nv 1 0 0\n"},
    };
    for (const auto& [name, text] : seeds)
        writeFile(folder / name, text);
    std::cout << "make_seeds: " << std::size(seeds) << " model seeds\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_seeds <folder>\n";
        return 2;
    }
    const fs::path root = argv[1];
    fs::create_directories(root / "image");
    fs::create_directories(root / "model");
    FreeImage_Initialise(FALSE);
    writeImageSeeds(root / "image");
    writeModelSeeds(root / "model");
    FreeImage_DeInitialise();
    return 0;
}
