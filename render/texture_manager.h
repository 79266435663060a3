// Every image the game shows, loaded once from ./Textures/ into GL textures
// and handed out by small numeric keys. Scene objects keep a pointer to the
// holder of a texture's GL name, so they follow the texture wherever it is
// reloaded.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>

#include <epoxy/gl.h>

// One row of the game's texture table.
struct TextureFile {
    const char* path;
    int key;
    GLenum format;        // pixel layout of the image rows: GL_BGR or GL_BGRA
    GLint internalFormat; // GL_RGB or GL_RGBA
};

class TextureManager {
  public:
    virtual ~TextureManager() = default;

    // Loads the whole texture table in order, between "Loading Textures..."
    // and "Done Loading Textures". A file that cannot be read prints
    // "\nALERT" and its key still gets an (empty) texture.
    void loadAll();

    // Loads one image file under `key`. Images whose bit depth does not fit
    // the row format are converted first.
    void loadTexture(const std::string& path, int key, GLenum format, GLint internalFormat);

    // The holder of a key's GL name. A key never loaded gets an entry with
    // no holder, and null is returned.
    GLuint* texture(int key) { return textures[key].get(); }

    // Deletes every GL texture and forgets all entries. Needs the GL context.
    void deleteTextures();

    // Forgets all entries without touching GL, for when the context is gone.
    void forgetTextures() { textures.clear(); }

    // Key to holder, in ascending key order.
    std::map<int, std::unique_ptr<GLuint>> textures;
};

// The one texture manager of this process, created on first use.
TextureManager& textureManager();

struct FIBITMAP;

// Decodes the bytes of an image file the way every texture is read: the
// type from the bytes (else from the name's extension), then the bit depth
// of the row format (24 bits for GL_BGR, 32 for GL_BGRA). Null when the
// bytes hold no image the game can use; the caller unloads the result.
FIBITMAP* decodeTextureImage(const unsigned char* bytes, std::size_t size, const std::string& name,
                             GLenum format);

// The game's 32 images, in loading order.
const TextureFile* textureTable();
int textureTableSize();
