// Small synthesis kit for the sound generator: a seeded noise source,
// oscillators driven by a phase, filters, a reverb, and the WAV writer.
// Everything is plain double arithmetic, so a build makes the same bytes
// every time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace soundgen {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTau = 2.0 * kPi;

using Track = std::vector<double>;

// A sound of one or two channels, samples in -1..1.
struct Sound {
    std::vector<Track> channels;
    std::size_t frames() const { return channels.empty() ? 0 : channels.front().size(); }
};

std::size_t framesFor(double seconds);

// xorshift: the same noise on every build.
class Noise {
  public:
    explicit Noise(std::uint32_t seed) : state_(seed ? seed : 1u) {}
    double next(); // -1..1
    double uniform() { return 0.5 * (next() + 1.0); }

  private:
    std::uint32_t state_;
};

// A band-limited ramp: the harmonics of `phase` (radians) up to `partials`,
// each weighted 1/k^tilt; only odd ones when `oddOnly`.
double harmonics(double phase, int partials, double tilt, bool oddOnly = false);

// How many harmonics of `frequency` fit below the given ceiling.
int partialsBelow(double frequency, double ceiling = 15000.0);

// Second-order filter in the usual cookbook forms.
class Biquad {
  public:
    static Biquad lowPass(double cutoff, double q = 0.707);
    static Biquad bandPass(double centre, double q);
    static Biquad highPass(double cutoff, double q = 0.707);
    double process(double x);
    // Re-tunes a low pass without clearing its state (sweeps).
    void setLowPass(double cutoff, double q = 0.707);

  private:
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Attack to 1 over `attack` seconds, then an exponential fall with the
// given time constant.
double strike(double t, double attack, double decay);

// Raised-cosine fade in over `in` and out over the last `out` seconds of `length`.
double fades(double t, double length, double in, double out);

// A plucked or struck tone of additive partials: ratio, weight, decay.
struct Partial {
    double ratio;
    double weight;
    double decay;
};
void addTone(Track& track, double start, double frequency, const std::vector<Partial>& partials,
             double gain, double attack = 0.004);

// Adds `source` into a track at `start` seconds with the given gain,
// wrapping past the end when `wrap` (loops).
void mixInto(Track& track, const Track& source, double start, double gain, bool wrap = false);

// Stereo room: a Schroeder reverb (combs then allpasses), `mix` wet.
// With `loop` the input is treated as endlessly repeated, so the tail of
// the end rings into the start.
void addReverb(Sound& sound, double size, double damping, double mix, bool loop);

// Scales the sound so that its highest sample is `peak`.
void normalize(Sound& sound, double peak);

// Short fades at both ends so no sound starts or stops with a click.
void deClick(Sound& sound);

// 16-bit PCM WAV.
bool writeWav(const Sound& sound, const std::string& path);

} // namespace soundgen
