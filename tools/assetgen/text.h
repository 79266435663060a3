// Text for the screens, rendered with FreeType from the DejaVu fonts.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "image.h"

namespace assetgen {

enum class FontFace { Sans, SansBold, Condensed, CondensedBold, Mono, MonoBold };

enum class Align { Left, Centre, Right };

// One glyph's coverage bitmap (rows top to bottom), where it sits against the
// pen position (left of it, top above the baseline) and how far it moves the pen.
struct GlyphImage {
    int width = 0;
    int rows = 0;
    int left = 0;
    int top = 0;
    float advance = 0;
    std::vector<unsigned char> coverage;
};

class TextRenderer {
  public:
    TextRenderer();
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    bool ok() const;

    // Draws UTF-8 text with its baseline at y; returns the advance width in pixels.
    float draw(Image& target, const std::string& text, float x, float y, FontFace face,
               int pixelSize, Color color, Align align = Align::Left);
    float measure(const std::string& text, FontFace face, int pixelSize);
    GlyphImage renderGlyph(char32_t codePoint, FontFace face, int pixelSize);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace assetgen
