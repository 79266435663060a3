// Reading the game's sound files: 16-bit PCM WAV, mono or stereo.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
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

// A player can replace the files; one larger than this is not a sound of ours
// and is refused before any of it is read.
constexpr std::uintmax_t kMaxWavBytes = 64u << 20;

// Nothing when the bytes are truncated, or not 16-bit PCM with one or two
// channels and at least one frame.
std::optional<WavData> parseWav(std::string_view bytes);

// The file at `path` decoded; when it cannot be, `problem` (if given) says
// why in words that follow the file's name.
std::optional<WavData> readWav(const std::string& path, std::string* problem = nullptr);
