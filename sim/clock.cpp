#include "sim/clock.h"

#include <utility>

namespace {
ClockSource& clockSource() {
    static ClockSource source = [] { return 0.0; };
    return source;
}
} // namespace

void setClockSource(ClockSource source) {
    clockSource() = std::move(source);
}

double currentTime() {
    return clockSource()();
}
