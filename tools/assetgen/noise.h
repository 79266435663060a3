// Deterministic hashing, random numbers and gradient noise. Everything here is
// pure integer or IEEE float arithmetic, so the same inputs give the same art
// on every run.
#pragma once

#include <cstdint>

#include <glm/vec3.hpp>

namespace assetgen {

uint32_t hash1(uint32_t x);
uint32_t hash2(int32_t x, int32_t y, uint32_t seed);
uint32_t hash3(int32_t x, int32_t y, int32_t z, uint32_t seed);
float hashToUnit(uint32_t h); // 0 <= result < 1

// Small counter-based generator: reproducible and independent of the C++ library.
class Rng {
  public:
    explicit Rng(uint32_t seed) : state_(seed) {}
    uint32_t next();
    float uniform();                 // [0, 1)
    float range(float lo, float hi); // [lo, hi)
    int below(int n);                // 0 .. n-1
    glm::vec3 onSphere();            // uniformly distributed unit vector

  private:
    uint32_t state_;
    uint32_t counter_ = 0;
};

// Gradient noise in about -1..1. With period > 0 the lattice repeats every
// `period` units in x and y, which makes textures tile.
float gradientNoise(glm::vec3 p, uint32_t seed, int period = 0);

struct Fbm {
    int octaves = 5;
    float lacunarity = 2.0f;
    float gain = 0.5f;
    int period = 0; // base tiling period; doubles with each octave
};

// Fractal sum normalised to about -1..1.
float fbm(glm::vec3 p, uint32_t seed, const Fbm& params = {});
// Ridged fractal (sharp crests) in about 0..1.
float ridged(glm::vec3 p, uint32_t seed, const Fbm& params = {});

float smoothstep(float edge0, float edge1, float x);

} // namespace assetgen
