// Text for the screens, rendered with FreeType from the DejaVu fonts.
#pragma once

#include <memory>
#include <string>

#include "image.h"

namespace assetgen {

enum class FontFace { Sans, SansBold, Condensed, CondensedBold, Mono, MonoBold };

enum class Align { Left, Centre, Right };

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

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace assetgen
