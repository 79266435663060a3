#include "synth.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>

namespace soundgen {

std::size_t framesFor(double seconds) {
    return static_cast<std::size_t>(std::lround(seconds * kRate));
}

double Noise::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<double>(state_) / 2147483647.5 - 1.0;
}

double harmonics(double phase, int partials, double tilt, bool oddOnly) {
    double sum = 0.0;
    for (int k = 1; k <= partials; k += oddOnly ? 2 : 1) {
        sum += std::sin(k * phase) / std::pow(k, tilt);
    }
    return sum;
}

int partialsBelow(double frequency, double ceiling) {
    return std::max(1, static_cast<int>(ceiling / std::max(frequency, 1.0)));
}

Biquad Biquad::lowPass(double cutoff, double q) {
    Biquad f;
    f.setLowPass(cutoff, q);
    return f;
}

void Biquad::setLowPass(double cutoff, double q) {
    const double w = kTau * std::clamp(cutoff, 10.0, kRate * 0.45) / kRate;
    const double alpha = std::sin(w) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    b0_ = (1.0 - std::cos(w)) / 2.0 / a0;
    b1_ = (1.0 - std::cos(w)) / a0;
    b2_ = b0_;
    a1_ = -2.0 * std::cos(w) / a0;
    a2_ = (1.0 - alpha) / a0;
}

Biquad Biquad::bandPass(double centre, double q) {
    Biquad f;
    const double w = kTau * centre / kRate;
    const double alpha = std::sin(w) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    f.b0_ = alpha / a0;
    f.b1_ = 0.0;
    f.b2_ = -alpha / a0;
    f.a1_ = -2.0 * std::cos(w) / a0;
    f.a2_ = (1.0 - alpha) / a0;
    return f;
}

Biquad Biquad::highPass(double cutoff, double q) {
    Biquad f;
    const double w = kTau * cutoff / kRate;
    const double alpha = std::sin(w) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    f.b0_ = (1.0 + std::cos(w)) / 2.0 / a0;
    f.b1_ = -(1.0 + std::cos(w)) / a0;
    f.b2_ = f.b0_;
    f.a1_ = -2.0 * std::cos(w) / a0;
    f.a2_ = (1.0 - alpha) / a0;
    return f;
}

double Biquad::process(double x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}

double strike(double t, double attack, double decay) {
    if (t < 0.0) {
        return 0.0;
    }
    const double rise = attack > 0.0 ? std::min(1.0, t / attack) : 1.0;
    return rise * std::exp(-std::max(0.0, t - attack) / decay);
}

double fades(double t, double length, double in, double out) {
    const auto ramp = [](double x) { return 0.5 - 0.5 * std::cos(kPi * std::clamp(x, 0.0, 1.0)); };
    return (in > 0.0 ? ramp(t / in) : 1.0) * (out > 0.0 ? ramp((length - t) / out) : 1.0);
}

void addTone(Track& track, double start, double frequency, const std::vector<Partial>& partials,
             double gain, double attack) {
    const std::size_t first = framesFor(start);
    for (std::size_t i = first; i < track.size(); ++i) {
        const double t = static_cast<double>(i - first) / kRate;
        double sum = 0.0;
        for (const Partial& p : partials) {
            if (frequency * p.ratio < kRate * 0.45) {
                sum += p.weight * std::sin(kTau * frequency * p.ratio * t) *
                       strike(t, attack, p.decay);
            }
        }
        track[i] += gain * sum;
    }
}

void mixInto(Track& track, const Track& source, double start, double gain, bool wrap) {
    const std::size_t first = framesFor(start);
    for (std::size_t i = 0; i < source.size(); ++i) {
        std::size_t at = first + i;
        if (at >= track.size()) {
            if (!wrap || track.empty()) {
                return;
            }
            at %= track.size();
        }
        track[at] += gain * source[i];
    }
}

namespace {

class Comb {
  public:
    Comb(std::size_t length, double feedback, double damping)
        : buffer_(length, 0.0), feedback_(feedback), damping_(damping) {}
    double process(double x) {
        const double out = buffer_[at_];
        store_ = out * (1.0 - damping_) + store_ * damping_;
        buffer_[at_] = x + store_ * feedback_;
        at_ = (at_ + 1) % buffer_.size();
        return out;
    }

  private:
    std::vector<double> buffer_;
    double feedback_, damping_, store_ = 0.0;
    std::size_t at_ = 0;
};

class Allpass {
  public:
    explicit Allpass(std::size_t length) : buffer_(length, 0.0) {}
    double process(double x) {
        const double delayed = buffer_[at_];
        buffer_[at_] = x + delayed * 0.5;
        at_ = (at_ + 1) % buffer_.size();
        return delayed - x;
    }

  private:
    std::vector<double> buffer_;
    std::size_t at_ = 0;
};

// One channel of the room; `spread` detunes the delays of the right side.
Track reverberate(const Track& input, double size, double damping, std::size_t spread) {
    static constexpr std::array<std::size_t, 6> combs{1116, 1188, 1277, 1356, 1422, 1491};
    static constexpr std::array<std::size_t, 3> allpasses{556, 441, 341};
    std::vector<Comb> comb;
    for (std::size_t length : combs) {
        comb.emplace_back(length + spread, 0.70 + 0.28 * size, damping);
    }
    std::vector<Allpass> allpass;
    for (std::size_t length : allpasses) {
        allpass.emplace_back(length + spread);
    }
    Track out(input.size());
    for (std::size_t i = 0; i < input.size(); ++i) {
        double sum = 0.0;
        for (Comb& c : comb) {
            sum += c.process(input[i] * 0.05);
        }
        for (Allpass& a : allpass) {
            sum = a.process(sum);
        }
        out[i] = sum;
    }
    return out;
}

} // namespace

void addReverb(Sound& sound, double size, double damping, double mix, bool loop) {
    const std::size_t n = sound.frames();
    Track input(loop ? 2 * n : n, 0.0);
    for (const Track& channel : sound.channels) {
        for (std::size_t i = 0; i < input.size(); ++i) {
            input[i] += channel[i % n] / static_cast<double>(sound.channels.size());
        }
    }
    for (std::size_t c = 0; c < sound.channels.size(); ++c) {
        const Track wet = reverberate(input, size, damping, 23 * c);
        const std::size_t offset = loop ? n : 0;
        for (std::size_t i = 0; i < n; ++i) {
            sound.channels[c][i] = (1.0 - mix) * sound.channels[c][i] + mix * wet[offset + i];
        }
    }
}

void normalize(Sound& sound, double peak) {
    double highest = 0.0;
    for (const Track& channel : sound.channels) {
        for (double x : channel) {
            highest = std::max(highest, std::abs(x));
        }
    }
    if (highest <= 0.0) {
        return;
    }
    for (Track& channel : sound.channels) {
        for (double& x : channel) {
            x *= peak / highest;
        }
    }
}

void deClick(Sound& sound) {
    const double length = static_cast<double>(sound.frames()) / kRate;
    for (Track& channel : sound.channels) {
        for (std::size_t i = 0; i < channel.size(); ++i) {
            channel[i] *= fades(static_cast<double>(i) / kRate, length, 0.001, 0.01);
        }
    }
}

namespace {

void put16(std::ofstream& out, std::uint16_t v) {
    const char bytes[2] = {static_cast<char>(v & 0xff), static_cast<char>(v >> 8)};
    out.write(bytes, 2);
}

void put32(std::ofstream& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v & 0xffff));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

} // namespace

bool writeWav(const Sound& sound, const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    const auto channels = static_cast<std::uint16_t>(sound.channels.size());
    const auto dataBytes = static_cast<std::uint32_t>(sound.frames() * channels * 2);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, channels);
    put32(out, kRate);
    put32(out, kRate * channels * 2);
    put16(out, static_cast<std::uint16_t>(channels * 2));
    put16(out, 16);
    out.write("data", 4);
    put32(out, dataBytes);
    for (std::size_t i = 0; i < sound.frames(); ++i) {
        for (const Track& channel : sound.channels) {
            const double x = std::clamp(channel[i], -1.0, 1.0);
            put16(out,
                  static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(x * 32767.0))));
        }
    }
    return static_cast<bool>(out);
}

} // namespace soundgen
