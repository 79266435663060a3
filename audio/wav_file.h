// Reading the game's sound files: 16-bit PCM WAV, mono or stereo.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct WavData {
    int channels = 0;
    int rate = 0;
    std::vector<std::int16_t> samples; // interleaved

    double seconds() const {
        return channels > 0 && rate > 0 ? static_cast<double>(samples.size()) / channels / rate
                                        : 0.0;
    }
};

// Nothing when the file is missing, truncated, or not 16-bit PCM with one
// or two channels and at least one frame.
std::optional<WavData> readWav(const std::string& path);
