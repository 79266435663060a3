// Arbitrary bytes through the texture loader's decoder, as if they were one
// of the game's image files. The last byte picks the row of the texture
// table, so the name hint and the row format vary with the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <FreeImage.h>

#include "render/texture_manager.h"

namespace {

// Everything the texture upload relies on: a plain bitmap at the row
// format's depth, 4-byte padded rows, and every byte GL will read present.
void checkUploadable(FIBITMAP* image, GLenum format) {
    const unsigned bits = format == GL_BGRA ? 32 : 24;
    const unsigned width = FreeImage_GetWidth(image);
    const unsigned height = FreeImage_GetHeight(image);
    const unsigned pitch = FreeImage_GetPitch(image);
    const auto* pixels = static_cast<const unsigned char*>(FreeImage_GetBits(image));
    if (FreeImage_GetImageType(image) != FIT_BITMAP || FreeImage_GetBPP(image) != bits ||
        pitch % 4 != 0 || pitch < width * (bits / 8) || (width * height > 0 && pixels == nullptr)) {
        std::abort();
    }
    // Read what glTexImage2D reads; the address sanitizer catches a short buffer.
    unsigned sum = 0;
    const std::size_t total = static_cast<std::size_t>(pitch) * height;
    for (std::size_t i = 0; i < total; ++i)
        sum += pixels[i];
    volatile unsigned keep = sum;
    (void)keep;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool initialised = [] {
        FreeImage_Initialise(FALSE);
        return true;
    }();
    (void)initialised;
    if (size < 1)
        return 0;
    const TextureFile& row = textureTable()[data[size - 1] % textureTableSize()];
    FIBITMAP* image = decodeTextureImage(data, size - 1, row.path, row.format);
    if (image != nullptr) {
        checkUploadable(image, row.format);
        FreeImage_Unload(image);
    }
    return 0;
}
