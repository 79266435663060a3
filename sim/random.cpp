#include "sim/random.h"

#include <cstdlib>
#include <utility>

namespace {
RandomSource& randomSource() {
    static RandomSource source;
    return source;
}
} // namespace

int randomDraw() {
    const RandomSource& source = randomSource();
    return source ? source() : std::rand();
}

void setRandomSource(RandomSource source) {
    randomSource() = std::move(source);
}
