// The game clock, in seconds. The program wires it to the window layer's
// timer; tests set it freely, so the simulation never depends on a window.
#pragma once

#include <functional>

using ClockSource = std::function<double()>;

void setClockSource(ClockSource source);
double currentTime();
