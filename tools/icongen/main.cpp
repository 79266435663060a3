// Draws the game's desktop icon from one of its own planet surfaces: a lit
// globe on a transparent square, with a thin glow around its rim.
//   icongen <planet surface image> <output.png> [size]
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>

#include <FreeImage.h>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Colour {
    double b, g, r;
};

Colour sampleSurface(FIBITMAP* surface, double u, double v) {
    const unsigned width = FreeImage_GetWidth(surface);
    const unsigned height = FreeImage_GetHeight(surface);
    const unsigned x = std::min(width - 1, static_cast<unsigned>(u * width));
    const unsigned y = std::min(height - 1, static_cast<unsigned>(v * height));
    const BYTE* pixel = FreeImage_GetScanLine(surface, y) + x * 3;
    return {pixel[0] / 255.0, pixel[1] / 255.0, pixel[2] / 255.0};
}

BYTE toByte(double value) {
    return static_cast<BYTE>(std::clamp(value, 0.0, 1.0) * 255.0 + 0.5);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: icongen <planet surface image> <output.png> [size]\n";
        return 2;
    }
    const int size = argc > 3 ? std::atoi(argv[3]) : 256;
    FreeImage_Initialise(FALSE);
    FIBITMAP* loaded = FreeImage_Load(FreeImage_GetFileType(argv[1], 0), argv[1], 0);
    FIBITMAP* surface = loaded != nullptr ? FreeImage_ConvertTo24Bits(loaded) : nullptr;
    if (surface == nullptr || size < 16) {
        std::cerr << "icongen: cannot read " << argv[1] << "\n";
        return 1;
    }
    FIBITMAP* icon = FreeImage_Allocate(size, size, 32);
    const double radius = size * 0.42;
    const double centre = (size - 1) / 2.0;
    // Light from the upper left, a little in front.
    const double light[3] = {-0.55, 0.55, 0.63};
    for (int row = 0; row < size; ++row) {
        BYTE* line = FreeImage_GetScanLine(icon, row);
        for (int column = 0; column < size; ++column) {
            const double x = (column - centre) / radius;
            const double y = (row - centre) / radius; // rows run bottom to top
            const double d2 = x * x + y * y;
            BYTE* pixel = line + column * 4;
            if (d2 > 1.0) {
                // The atmosphere's glow fades out over a tenth of the radius.
                const double glow = std::max(0.0, 1.0 - (std::sqrt(d2) - 1.0) * 10.0);
                pixel[0] = 255;
                pixel[1] = 190;
                pixel[2] = 110;
                pixel[3] = toByte(glow * glow * 0.8);
                continue;
            }
            const double z = std::sqrt(1.0 - d2);
            const double lit = std::max(0.0, x * light[0] + y * light[1] + z * light[2]);
            const double u = 0.5 + std::atan2(x, z) / (2.0 * kPi) * 0.8;
            const double v = 0.5 + std::asin(y) / kPi;
            const Colour c = sampleSurface(surface, u, v);
            const double rim = std::pow(1.0 - z, 3.0) * 0.6;
            const double shade = 0.12 + 1.05 * lit;
            pixel[0] = toByte(c.b * shade + rim);
            pixel[1] = toByte(c.g * shade + rim * 0.75);
            pixel[2] = toByte(c.r * shade + rim * 0.45);
            // Soft edge against the glow.
            pixel[3] = toByte(std::min(1.0, (1.0 - std::sqrt(d2)) * radius + 0.5));
            pixel[3] = std::max<BYTE>(pixel[3], toByte(0.8));
        }
    }
    const bool saved = FreeImage_Save(FIF_PNG, icon, argv[2], 0);
    FreeImage_Unload(icon);
    FreeImage_Unload(surface);
    FreeImage_Unload(loaded);
    FreeImage_DeInitialise();
    if (!saved) {
        std::cerr << "icongen: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
