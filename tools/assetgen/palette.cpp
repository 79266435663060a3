#include "palette.h"

namespace assetgen {

Color Ramp::operator()(float t) const {
    if (t <= stops_.front().at)
        return stops_.front().color;
    for (size_t i = 1; i < stops_.size(); ++i) {
        if (t <= stops_[i].at) {
            const ColorStop& a = stops_[i - 1];
            const ColorStop& b = stops_[i];
            return mix(a.color, b.color, (t - a.at) / (b.at - a.at));
        }
    }
    return stops_.back().color;
}

} // namespace assetgen
