// The texture filter and mipmap modes the player picks, applied to every
// loaded texture.
#pragma once

#include <optional>

#include <epoxy/gl.h>

struct FilterParameters {
    GLint magFilter;
    GLint minFilter;
};

// The GL filters for a mipmap mode and a filter mode; none for a mipmap
// mode the game does not know, which leaves textures as they are.
std::optional<FilterParameters> filterParameters(int mipmapMode, int filterMode);

// Sets the applied modes on every texture of the texture manager.
void applyTextureFiltering();

// Copies requested modes that differ from the applied ones and, for each
// change, applies them. Runs at the start of every frame.
void applyRequestedFiltering();
