// soundgen: writes the game's sounds as 16-bit WAV files.
//
//   soundgen <game dir>      writes <game dir>/Sounds
//   soundgen --report        prints each sound's length, peak, loudness and
//                            spectral balance, to check the levels by number

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <filesystem>
#include <string>

#include "sounds.h"

namespace fs = std::filesystem;
using namespace soundgen;

namespace {

void fft(std::vector<std::complex<double>>& a) {
    const std::size_t n = a.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) {
            j ^= bit;
        }
        j ^= bit;
        if (i < j) {
            std::swap(a[i], a[j]);
        }
    }
    for (std::size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> w = std::polar(1.0, -kTau / static_cast<double>(len));
        for (std::size_t i = 0; i < n; i += len) {
            std::complex<double> wk = 1.0;
            for (std::size_t k = 0; k < len / 2; ++k, wk *= w) {
                const std::complex<double> u = a[i + k];
                const std::complex<double> v = a[i + k + len / 2] * wk;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
}

double decibels(double x) {
    return 20.0 * std::log10(std::max(x, 1e-9));
}

// Peak and RMS in dBFS, the spectral centroid and the strongest frequency.
void report(const SoundAsset& asset, const Sound& sound) {
    double peak = 0.0;
    double energy = 0.0;
    std::size_t size = 1;
    while (size < sound.frames()) {
        size <<= 1;
    }
    std::vector<std::complex<double>> spectrum(size);
    for (std::size_t i = 0; i < sound.frames(); ++i) {
        double mono = 0.0;
        for (const Track& channel : sound.channels) {
            peak = std::max(peak, std::abs(channel[i]));
            energy += channel[i] * channel[i];
            mono += channel[i];
        }
        spectrum[i] = mono;
    }
    fft(spectrum);
    double weighted = 0.0;
    double total = 0.0;
    double strongest = 0.0;
    std::size_t strongestBin = 0;
    for (std::size_t k = 1; k < size / 2; ++k) {
        const double magnitude = std::abs(spectrum[k]);
        const double hz = static_cast<double>(k) * kRate / static_cast<double>(size);
        weighted += magnitude * hz;
        total += magnitude;
        if (magnitude > strongest) {
            strongest = magnitude;
            strongestBin = k;
        }
    }
    const double rms =
        std::sqrt(energy / static_cast<double>(sound.frames() * sound.channels.size()));
    std::printf("%-20s %d ch %6.2f s  peak %6.1f dBFS  rms %6.1f dBFS  centroid %6.0f Hz  "
                "strongest %6.0f Hz\n",
                asset.file, asset.channels, static_cast<double>(sound.frames()) / kRate,
                decibels(peak), decibels(rms), total > 0.0 ? weighted / total : 0.0,
                static_cast<double>(strongestBin) * kRate / static_cast<double>(size));
}

bool writeSounds(const fs::path& gameDir) {
    const fs::path folder = gameDir / "Sounds";
    fs::create_directories(folder);
    bool ok = true;
    for (const SoundAsset& asset : soundAssets()) {
        const fs::path path = folder / asset.file;
        if (!writeWav(render(asset), path.string())) {
            std::fprintf(stderr, "soundgen: cannot write %s\n", path.c_str());
            ok = false;
        }
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    const std::string first = argc > 1 ? argv[1] : "";
    if (argc == 2 && first == "--report") {
        for (const SoundAsset& asset : soundAssets()) {
            report(asset, render(asset));
        }
        return 0;
    }
    if (argc == 2 && !first.starts_with("--")) {
        return writeSounds(first) ? 0 : 1;
    }
    std::fprintf(stderr, "usage: soundgen <game dir>\n       soundgen --report\n");
    return 2;
}
