#include "image.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include <FreeImage.h>

#include "noise.h"

namespace assetgen {

Color rgb(float r, float g, float b, float a) {
    return Color(r, g, b, a);
}

Color hexColor(unsigned rgb24, float a) {
    return Color(((rgb24 >> 16) & 0xff) / 255.0f, ((rgb24 >> 8) & 0xff) / 255.0f,
                 (rgb24 & 0xff) / 255.0f, a);
}

Image::Image(int width, int height, Color fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

Color Image::sample(float x, float y, bool wrapX) const {
    x -= 0.5f;
    y -= 0.5f;
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const float fx = x - x0;
    const float fy = y - y0;
    auto fetch = [&](int px, int py) {
        if (wrapX)
            px = ((px % width_) + width_) % width_;
        else
            px = std::clamp(px, 0, width_ - 1);
        py = std::clamp(py, 0, height_ - 1);
        return at(px, py);
    };
    const Color top = fetch(x0, y0) * (1 - fx) + fetch(x0 + 1, y0) * fx;
    const Color bottom = fetch(x0, y0 + 1) * (1 - fx) + fetch(x0 + 1, y0 + 1) * fx;
    return top * (1 - fy) + bottom * fy;
}

void Image::blendOver(int x, int y, Color c, float amount) {
    if (!contains(x, y))
        return;
    const float a = std::clamp(c.a * amount, 0.0f, 1.0f);
    Color& d = at(x, y);
    const float outA = a + d.a * (1 - a);
    if (outA <= 0.0f) {
        d = Color(0);
        return;
    }
    for (int i = 0; i < 3; ++i)
        d[i] = (c[i] * a + d[i] * d.a * (1 - a)) / outA;
    d.a = outA;
}

void Image::addLight(int x, int y, Color c, float amount) {
    if (!contains(x, y))
        return;
    Color& d = at(x, y);
    d.r += c.r * amount;
    d.g += c.g * amount;
    d.b += c.b * amount;
}

void Image::fillRect(int x0, int y0, int x1, int y1, Color c) {
    for (int y = std::max(0, y0); y < std::min(height_, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(width_, x1); ++x)
            blendOver(x, y, c);
}

namespace {

// Signed distance from point (px, py) to a rounded box; negative inside.
float roundedBoxDistance(float px, float py, float x0, float y0, float x1, float y1, float r) {
    const float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f;
    const float hx = (x1 - x0) * 0.5f - r, hy = (y1 - y0) * 0.5f - r;
    const float qx = std::abs(px - cx) - hx, qy = std::abs(py - cy) - hy;
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - r;
}

} // namespace

void Image::fillRoundedRect(float x0, float y0, float x1, float y1, float radius, Color fill) {
    for (int y = std::max(0, int(y0) - 1); y < std::min(height_, int(y1) + 2); ++y)
        for (int x = std::max(0, int(x0) - 1); x < std::min(width_, int(x1) + 2); ++x) {
            const float d = roundedBoxDistance(x + 0.5f, y + 0.5f, x0, y0, x1, y1, radius);
            const float cover = std::clamp(0.5f - d, 0.0f, 1.0f);
            if (cover > 0)
                blendOver(x, y, fill, cover);
        }
}

void Image::strokeRoundedRect(float x0, float y0, float x1, float y1, float radius, float width,
                              Color line) {
    for (int y = std::max(0, int(y0) - 2); y < std::min(height_, int(y1) + 3); ++y)
        for (int x = std::max(0, int(x0) - 2); x < std::min(width_, int(x1) + 3); ++x) {
            const float d = roundedBoxDistance(x + 0.5f, y + 0.5f, x0, y0, x1, y1, radius);
            const float cover = std::clamp(width * 0.5f + 0.5f - std::abs(d), 0.0f, 1.0f);
            if (cover > 0)
                blendOver(x, y, line, cover);
        }
}

void Image::drawLine(float x0, float y0, float x1, float y1, float width, Color c) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float len2 = std::max(dx * dx + dy * dy, 1e-6f);
    const float pad = width + 2;
    for (int y = std::max(0, int(std::min(y0, y1) - pad));
         y < std::min(height_, int(std::max(y0, y1) + pad)); ++y)
        for (int x = std::max(0, int(std::min(x0, x1) - pad));
             x < std::min(width_, int(std::max(x0, x1) + pad)); ++x) {
            const float px = x + 0.5f - x0, py = y + 0.5f - y0;
            const float t = std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f);
            const float d = std::hypot(px - t * dx, py - t * dy);
            const float cover = std::clamp(width * 0.5f + 0.5f - d, 0.0f, 1.0f);
            if (cover > 0)
                blendOver(x, y, c, cover);
        }
}

void Image::drawImage(const Image& src, int x0, int y0, int w, int h) {
    const float sx = float(src.width()) / w, sy = float(src.height()) / h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // Box-filter the source footprint of this target pixel.
            const int ax = int(x * sx), bx = std::max(ax + 1, int((x + 1) * sx));
            const int ay = int(y * sy), by = std::max(ay + 1, int((y + 1) * sy));
            Color sum(0);
            for (int v = ay; v < by; ++v)
                for (int u = ax; u < bx; ++u)
                    sum += src.at(std::min(u, src.width() - 1), std::min(v, src.height() - 1));
            sum /= float((bx - ax) * (by - ay));
            blendOver(x0 + x, y0 + y, Color(sum.r, sum.g, sum.b, 1), sum.a);
        }
}

namespace {

uint8_t quantize(float value, float dither) {
    const float v = std::clamp(value, 0.0f, 1.0f) * 255.0f + dither;
    return static_cast<uint8_t>(std::clamp(std::floor(v + 0.5f), 0.0f, 255.0f));
}

FIBITMAP* toBitmap(const Image& image, bool withAlpha) {
    const int w = image.width(), h = image.height();
    FIBITMAP* bitmap = FreeImage_Allocate(w, h, withAlpha ? 32 : 24);
    if (!bitmap)
        return nullptr;
    const int bytesPerPixel = withAlpha ? 4 : 3;
    for (int y = 0; y < h; ++y) {
        // FreeImage stores rows bottom-up.
        BYTE* row = FreeImage_GetScanLine(bitmap, h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const Color& c = image.at(x, y);
            const float dither = (hashToUnit(hash2(x, y, 0x5eed)) - 0.5f) * 0.9f;
            BYTE* p = row + x * bytesPerPixel;
            p[FI_RGBA_RED] = quantize(c.r, dither);
            p[FI_RGBA_GREEN] = quantize(c.g, dither);
            p[FI_RGBA_BLUE] = quantize(c.b, dither);
            if (withAlpha)
                p[FI_RGBA_ALPHA] = quantize(c.a, 0.0f);
        }
    }
    return bitmap;
}

} // namespace

bool saveImage(const Image& image, const std::string& path, FileFormat format, bool withAlpha) {
    FIBITMAP* bitmap = toBitmap(image, withAlpha);
    if (!bitmap)
        return false;
    bool ok = false;
    switch (format) {
    case FileFormat::Bmp:
        ok = FreeImage_Save(FIF_BMP, bitmap, path.c_str(), BMP_DEFAULT);
        break;
    case FileFormat::Png:
        ok = FreeImage_Save(FIF_PNG, bitmap, path.c_str(), PNG_Z_BEST_SPEED);
        break;
    case FileFormat::Jpeg:
        ok = FreeImage_Save(FIF_JPEG, bitmap, path.c_str(), JPEG_QUALITYSUPERB | JPEG_OPTIMIZE);
        break;
    case FileFormat::Tiff:
        ok = FreeImage_Save(FIF_TIFF, bitmap, path.c_str(), TIFF_LZW);
        break;
    }
    FreeImage_Unload(bitmap);
    return ok;
}

} // namespace assetgen
