#include "render/texture_filtering.h"

#include "render/render_state.h"
#include "render/texture_manager.h"

std::optional<FilterParameters> filterParameters(int mipmapMode, int filterMode) {
    const bool nearest = filterMode == TextureFilter::Nearest;
    const GLint mag = nearest ? GL_NEAREST : GL_LINEAR;
    switch (mipmapMode) {
    case MipmapMode::Off:
        return FilterParameters{mag, mag};
    case MipmapMode::Linear:
        return FilterParameters{mag, nearest ? GL_NEAREST_MIPMAP_LINEAR : GL_LINEAR_MIPMAP_LINEAR};
    case MipmapMode::Nearest:
        return FilterParameters{mag,
                                nearest ? GL_NEAREST_MIPMAP_NEAREST : GL_LINEAR_MIPMAP_NEAREST};
    default:
        return std::nullopt;
    }
}

void applyTextureFiltering() {
    const std::optional<FilterParameters> filters = filterParameters(
        renderState().settings.appliedMipmap, renderState().settings.appliedFilter);
    if (!filters) {
        return;
    }
    for (const auto& [key, holder] : textureManager().textures) {
        if (holder == nullptr) {
            continue; // looked up, never loaded
        }
        glBindTexture(GL_TEXTURE_2D, *holder);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filters->magFilter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filters->minFilter);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

void applyRequestedFiltering() {
    RenderSettings& s = renderState().settings;
    if (s.requestedMipmap != s.appliedMipmap) {
        s.appliedMipmap = s.requestedMipmap;
        applyTextureFiltering();
    }
    if (s.requestedFilter != s.appliedFilter) {
        s.appliedFilter = s.requestedFilter;
        applyTextureFiltering();
    }
}
