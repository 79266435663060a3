// A floating-point RGBA canvas and the few drawing operations the art needs.
#pragma once

#include <string>
#include <vector>

#include <glm/vec4.hpp>

namespace assetgen {

using Color = glm::vec4; // r, g, b, a in 0..1 (values above 1 are clipped on save)

Color rgb(float r, float g, float b, float a = 1.0f);
Color hexColor(unsigned rgb24, float a = 1.0f);

class Image {
  public:
    Image() = default;
    Image(int width, int height, Color fill = Color(0, 0, 0, 1));

    int width() const { return width_; }
    int height() const { return height_; }

    // Row 0 is the top of the picture.
    Color& at(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    const Color& at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Bilinear lookup in pixel units; wraps horizontally when asked, clamps otherwise.
    Color sample(float x, float y, bool wrapX = false) const;

    // Paints `c` over the pixel with coverage `amount` (0..1), respecting c.a.
    void blendOver(int x, int y, Color c, float amount = 1.0f);
    // Adds light: rgb += c.rgb * amount, alpha untouched.
    void addLight(int x, int y, Color c, float amount = 1.0f);

    void fillRect(int x0, int y0, int x1, int y1, Color c);
    // Anti-aliased rounded rectangle, filled, optionally with a border line.
    void fillRoundedRect(float x0, float y0, float x1, float y1, float radius, Color fill);
    void strokeRoundedRect(float x0, float y0, float x1, float y1, float radius, float width,
                           Color line);
    // Anti-aliased line segment of the given width.
    void drawLine(float x0, float y0, float x1, float y1, float width, Color c);

    // Draws `src` scaled into the rectangle (area-averaged when shrinking), alpha-composited.
    void drawImage(const Image& src, int x0, int y0, int w, int h);

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Color> pixels_;
};

enum class FileFormat { Bmp, Png, Jpeg, Tiff };

// Writes 24 bits per pixel (BGR) or, with `withAlpha`, 32 bits per pixel (BGRA).
// A fixed per-pixel dither hides banding in dark gradients and keeps output reproducible.
bool saveImage(const Image& image, const std::string& path, FileFormat format, bool withAlpha);

} // namespace assetgen
