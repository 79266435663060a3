// The game's one source of randomness: the C library generator, seeded once
// per run. Tests may replace the source with a scripted sequence of draws.
#pragma once

#include <functional>

using RandomSource = std::function<int()>;

// One fresh draw; rand() unless a test installed its own source.
int randomDraw();

// Installs a source; an empty function restores rand().
void setRandomSource(RandomSource source);
