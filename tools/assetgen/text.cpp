#include "text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace assetgen {

namespace {

constexpr const char* kFontDir = "/usr/share/fonts/truetype/dejavu/";

const char* fontFile(FontFace face) {
    switch (face) {
    case FontFace::Sans:
        return "DejaVuSans.ttf";
    case FontFace::SansBold:
        return "DejaVuSans-Bold.ttf";
    case FontFace::Condensed:
        return "DejaVuSansCondensed.ttf";
    case FontFace::CondensedBold:
        return "DejaVuSansCondensed-Bold.ttf";
    case FontFace::Mono:
        return "DejaVuSansMono.ttf";
    case FontFace::MonoBold:
        return "DejaVuSansMono-Bold.ttf";
    }
    return "DejaVuSans.ttf";
}

// Decodes one UTF-8 code point and advances `i`; malformed bytes read as '?'.
char32_t nextCodePoint(const std::string& s, size_t& i) {
    const unsigned char c = static_cast<unsigned char>(s[i++]);
    if (c < 0x80)
        return c;
    const int extra = c >= 0xf0 ? 3 : c >= 0xe0 ? 2 : c >= 0xc0 ? 1 : -1;
    if (extra < 0 || i + extra > s.size())
        return U'?';
    char32_t cp = c & (0x3f >> extra);
    for (int k = 0; k < extra; ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3f);
    return cp;
}

} // namespace

struct TextRenderer::Impl {
    FT_Library library = nullptr;
    std::array<FT_Face, 6> faces{};
    bool ok = false;
};

TextRenderer::TextRenderer() : impl_(std::make_unique<Impl>()) {
    if (FT_Init_FreeType(&impl_->library) != 0)
        return;
    impl_->ok = true;
    for (int i = 0; i < 6; ++i) {
        const std::string path = std::string(kFontDir) + fontFile(static_cast<FontFace>(i));
        if (FT_New_Face(impl_->library, path.c_str(), 0, &impl_->faces[i]) != 0) {
            std::fprintf(stderr, "assetgen: cannot open font %s\n", path.c_str());
            impl_->faces[i] = nullptr;
            impl_->ok = false;
        }
    }
}

TextRenderer::~TextRenderer() {
    for (FT_Face f : impl_->faces)
        if (f)
            FT_Done_Face(f);
    if (impl_->library)
        FT_Done_FreeType(impl_->library);
}

bool TextRenderer::ok() const {
    return impl_->ok;
}

float TextRenderer::measure(const std::string& text, FontFace face, int pixelSize) {
    FT_Face f = impl_->faces[static_cast<int>(face)];
    if (!f)
        return 0;
    FT_Set_Pixel_Sizes(f, 0, pixelSize);
    float width = 0;
    FT_UInt previous = 0;
    for (size_t i = 0; i < text.size();) {
        const FT_UInt glyph = FT_Get_Char_Index(f, nextCodePoint(text, i));
        if (previous && FT_HAS_KERNING(f)) {
            FT_Vector kern;
            FT_Get_Kerning(f, previous, glyph, FT_KERNING_DEFAULT, &kern);
            width += kern.x / 64.0f;
        }
        if (FT_Load_Glyph(f, glyph, FT_LOAD_DEFAULT) == 0)
            width += f->glyph->advance.x / 64.0f;
        previous = glyph;
    }
    return width;
}

GlyphImage TextRenderer::renderGlyph(char32_t codePoint, FontFace face, int pixelSize) {
    GlyphImage glyph;
    FT_Face f = impl_->faces[static_cast<int>(face)];
    if (!f)
        return glyph;
    FT_Set_Pixel_Sizes(f, 0, pixelSize);
    if (FT_Load_Char(f, codePoint, FT_LOAD_DEFAULT) != 0 ||
        FT_Render_Glyph(f->glyph, FT_RENDER_MODE_NORMAL) != 0)
        return glyph;
    const FT_GlyphSlot g = f->glyph;
    glyph.width = static_cast<int>(g->bitmap.width);
    glyph.rows = static_cast<int>(g->bitmap.rows);
    glyph.left = g->bitmap_left;
    glyph.top = g->bitmap_top;
    glyph.advance = g->advance.x / 64.0f;
    for (int row = 0; row < glyph.rows; ++row)
        for (int col = 0; col < glyph.width; ++col)
            glyph.coverage.push_back(g->bitmap.buffer[row * g->bitmap.pitch + col]);
    return glyph;
}

float TextRenderer::draw(Image& target, const std::string& text, float x, float y, FontFace face,
                         int pixelSize, Color color, Align align) {
    FT_Face f = impl_->faces[static_cast<int>(face)];
    if (!f)
        return 0;
    const float width = measure(text, face, pixelSize);
    if (align == Align::Centre)
        x -= width * 0.5f;
    else if (align == Align::Right)
        x -= width;
    FT_Set_Pixel_Sizes(f, 0, pixelSize);
    float penX = x;
    FT_UInt previous = 0;
    for (size_t i = 0; i < text.size();) {
        const FT_UInt glyph = FT_Get_Char_Index(f, nextCodePoint(text, i));
        if (previous && FT_HAS_KERNING(f)) {
            FT_Vector kern;
            FT_Get_Kerning(f, previous, glyph, FT_KERNING_DEFAULT, &kern);
            penX += kern.x / 64.0f;
        }
        previous = glyph;
        if (FT_Load_Glyph(f, glyph, FT_LOAD_DEFAULT) != 0 ||
            FT_Render_Glyph(f->glyph, FT_RENDER_MODE_NORMAL) != 0)
            continue;
        const FT_GlyphSlot g = f->glyph;
        const int left = static_cast<int>(std::lround(penX)) + g->bitmap_left;
        const int top = static_cast<int>(std::lround(y)) - g->bitmap_top;
        for (unsigned row = 0; row < g->bitmap.rows; ++row)
            for (unsigned col = 0; col < g->bitmap.width; ++col) {
                const unsigned char coverage = g->bitmap.buffer[row * g->bitmap.pitch + col];
                if (coverage)
                    target.blendOver(left + int(col), top + int(row), color, coverage / 255.0f);
            }
        penX += g->advance.x / 64.0f;
    }
    return width;
}

} // namespace assetgen
