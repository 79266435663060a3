// Colour ramps for mapping a scalar field (height, temperature, density) to colour.
#pragma once

#include <initializer_list>
#include <vector>

#include "image.h"

namespace assetgen {

struct ColorStop {
    float at;
    Color color;
};

class Ramp {
  public:
    Ramp(std::initializer_list<ColorStop> stops) : stops_(stops) {}
    Color operator()(float t) const;

  private:
    std::vector<ColorStop> stops_;
};

inline Color mix(Color a, Color b, float t) {
    return a + (b - a) * t;
}

} // namespace assetgen
