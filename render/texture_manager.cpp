#include "render/texture_manager.h"

#include <cstdarg>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <vector>

#include <FreeImage.h>
#include <dlfcn.h>

#include "render/gl_check.h"

namespace {

constexpr GLuint kUnsetName = ~0u;

const TextureFile kTextureTable[] = {
#define TEXTURE(file, key, format, internalFormat)                                                 \
    {"./Textures/" file, key, format, internalFormat},
#include "render/game_files.inc"
};

// The image library reads TIFF files through libtiff, which reports every
// metadata tag it has no name for as an error on standard error: dozens of
// lines per image that is in fact read perfectly well. Unreadable files are
// still caught, as a load that returns no image.
void quietTiffReports() {
    static const bool done = [] {
        using Handler = void (*)(const char*, const char*, va_list);
        using SetHandler = Handler (*)(Handler);
        auto* setErrorHandler =
            reinterpret_cast<SetHandler>(dlsym(RTLD_DEFAULT, "TIFFSetErrorHandler"));
        if (setErrorHandler != nullptr) {
            setErrorHandler(nullptr);
        }
        return true;
    }();
    (void)done;
}

// The whole file, or nothing when it cannot be opened.
std::optional<std::vector<unsigned char>> readFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(file),
                                      std::istreambuf_iterator<char>());
}

// No game texture comes near this, and every GL driver takes it. A corrupt
// header may claim far more: a few bytes of file would otherwise have the
// image library allocate gigabytes for pixels that are not there.
constexpr unsigned kMaxTextureSide = 8192;

bool hasTextureSize(FIBITMAP* image) {
    const unsigned width = FreeImage_GetWidth(image);
    const unsigned height = FreeImage_GetHeight(image);
    return width <= kMaxTextureSide && height <= kMaxTextureSide;
}

// The size from the header alone, where the format can tell it.
bool headerHasTextureSize(FREE_IMAGE_FORMAT type, FIMEMORY* memory) {
    if (!FreeImage_FIFSupportsNoPixels(type)) {
        return true;
    }
    FIBITMAP* header = FreeImage_LoadFromMemory(type, memory, FIF_LOAD_NOPIXELS);
    FreeImage_SeekMemory(memory, 0, SEEK_SET);
    if (header == nullptr) {
        return false;
    }
    const bool fits = hasTextureSize(header);
    FreeImage_Unload(header);
    return fits;
}

FIBITMAP* readImage(FIMEMORY* memory, const std::string& name) {
    FREE_IMAGE_FORMAT type = FreeImage_GetFileTypeFromMemory(memory, 0);
    if (type == FIF_UNKNOWN) {
        type = FreeImage_GetFIFFromFilename(name.c_str());
    }
    if (type == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(type) ||
        !headerHasTextureSize(type, memory)) {
        return nullptr;
    }
    FIBITMAP* image = FreeImage_LoadFromMemory(type, memory, 0);
    if (image != nullptr && !hasTextureSize(image)) {
        FreeImage_Unload(image);
        return nullptr;
    }
    return image;
}

// GL reads exactly width x height pixels of the row format's size from the
// image, so the image must hold that many bytes per pixel: a greyscale or
// palette image, or one with alpha where none is expected, would send GL
// reading past the end of the pixel buffer.
FIBITMAP* convertToRowFormat(FIBITMAP* image, GLenum format) {
    const unsigned wantedBits = format == GL_BGRA ? 32 : 24;
    if (FreeImage_GetImageType(image) == FIT_BITMAP && FreeImage_GetBPP(image) == wantedBits) {
        return image;
    }
    FIBITMAP* standard = image;
    if (FreeImage_GetImageType(image) != FIT_BITMAP) {
        standard = FreeImage_ConvertToStandardType(image, TRUE);
        FreeImage_Unload(image);
        if (standard == nullptr) {
            return nullptr;
        }
    }
    FIBITMAP* converted = wantedBits == 32 ? FreeImage_ConvertTo32Bits(standard)
                                           : FreeImage_ConvertTo24Bits(standard);
    FreeImage_Unload(standard);
    return converted;
}

} // namespace

FIBITMAP* decodeTextureImage(const unsigned char* bytes, std::size_t size, const std::string& name,
                             GLenum format) {
    if (bytes == nullptr || size == 0 || size > UINT32_MAX) {
        return nullptr;
    }
    quietTiffReports();
    // The image library only reads from the memory stream; it never writes.
    FIMEMORY* memory =
        FreeImage_OpenMemory(const_cast<unsigned char*>(bytes), static_cast<DWORD>(size));
    if (memory == nullptr) {
        return nullptr;
    }
    FIBITMAP* image = readImage(memory, name);
    FreeImage_CloseMemory(memory);
    return image != nullptr ? convertToRowFormat(image, format) : nullptr;
}

const TextureFile* textureTable() {
    return kTextureTable;
}

int textureTableSize() {
    return static_cast<int>(std::size(kTextureTable));
}

TextureManager& textureManager() {
    static TextureManager instance;
    return instance;
}

void TextureManager::loadAll() {
    std::cout << "Loading Textures...\n";
    for (const TextureFile& row : kTextureTable) {
        loadTexture(row.path, row.key, row.format, row.internalFormat);
    }
    std::cout << "Done Loading Textures\n";
}

void TextureManager::loadTexture(const std::string& path, int key, GLenum format,
                                 GLint internalFormat) {
    const std::optional<std::vector<unsigned char>> bytes = readFileBytes(path);
    FIBITMAP* image =
        bytes ? decodeTextureImage(bytes->data(), bytes->size(), path, format) : nullptr;
    if (image == nullptr) {
        std::cout << "\nALERT";
        std::cerr << (bytes ? "Cannot decode texture file " : "Cannot read texture file ") << path
                  << std::endl;
    }
    const void* pixels = image != nullptr ? FreeImage_GetBits(image) : nullptr;
    const GLsizei width = image != nullptr ? static_cast<GLsizei>(FreeImage_GetWidth(image)) : 0;
    const GLsizei height = image != nullptr ? static_cast<GLsizei>(FreeImage_GetHeight(image)) : 0;

    // A key loaded again keeps its holder, so everyone who looked it up
    // before sees the new texture; the old GL texture is released.
    std::unique_ptr<GLuint>& holder = textures[key];
    if (holder == nullptr) {
        holder = std::make_unique<GLuint>(kUnsetName);
    } else if (*holder != kUnsetName) {
        glDeleteTextures(1, holder.get());
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    *holder = name;

    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    // Image rows run bottom to top, each padded to 4 bytes: the default
    // unpack alignment.
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE,
                 pixels);
    glGenerateMipmap(GL_TEXTURE_2D);
    checkGLError();
    if (image != nullptr) {
        FreeImage_Unload(image);
    }
}

void TextureManager::deleteTextures() {
    for (auto& [key, holder] : textures) {
        if (holder != nullptr && *holder != kUnsetName) {
            glDeleteTextures(1, holder.get());
        }
    }
    textures.clear();
}
