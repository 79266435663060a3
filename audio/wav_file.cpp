#include "audio/wav_file.h"

#include <fstream>

namespace {

std::uint32_t read32(std::string_view bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return v;
}

std::uint16_t read16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

constexpr std::size_t kFileHeader = 12;
constexpr std::size_t kChunkHeader = 8;
constexpr std::size_t kFormatSize = 16;

} // namespace

std::optional<WavData> parseWav(std::string_view bytes) {
    if (bytes.size() < kFileHeader || bytes.substr(0, 4) != "RIFF" ||
        bytes.substr(8, 4) != "WAVE") {
        return std::nullopt;
    }
    WavData wav;
    bool formatSeen = false;
    // Chunks are walked with the remaining length checked before every read.
    for (std::size_t at = kFileHeader; bytes.size() - at >= kChunkHeader;) {
        const std::string_view id = bytes.substr(at, 4);
        const std::uint32_t size = read32(bytes, at + 4);
        const std::size_t body = at + kChunkHeader;
        if (size > bytes.size() - body) {
            return std::nullopt;
        }
        if (id == "fmt " && size >= kFormatSize) {
            const bool pcm16 = read16(bytes, body) == 1 && read16(bytes, body + 14) == 16;
            wav.channels = read16(bytes, body + 2);
            wav.rate = static_cast<int>(read32(bytes, body + 4));
            formatSeen = pcm16 && (wav.channels == 1 || wav.channels == 2) && wav.rate > 0;
            if (!formatSeen) {
                return std::nullopt;
            }
        } else if (id == "data" && formatSeen) {
            const std::size_t frameBytes = 2 * static_cast<std::size_t>(wav.channels);
            const std::size_t count = size / frameBytes * static_cast<std::size_t>(wav.channels);
            if (count == 0) {
                return std::nullopt;
            }
            wav.samples.resize(count);
            for (std::size_t i = 0; i < count; ++i) {
                wav.samples[i] = static_cast<std::int16_t>(read16(bytes, body + 2 * i));
            }
            return wav;
        }
        // An odd-sized chunk is followed by a pad byte, which may be missing at the end.
        at = body + size + (size & 1u);
        if (at > bytes.size()) {
            break;
        }
    }
    return std::nullopt;
}

std::optional<WavData> readWav(const std::string& path, std::string* problem) {
    std::string why = "missing or broken";
    std::optional<WavData> wav;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : -1;
    if (size > static_cast<std::streamoff>(kMaxWavBytes)) {
        why = "larger than " + std::to_string(kMaxWavBytes >> 20) + " MiB";
    } else if (size > 0) {
        std::string bytes(static_cast<std::size_t>(size), '\0');
        file.seekg(0);
        if (file.read(bytes.data(), size)) {
            wav = parseWav(bytes);
        }
    }
    if (!wav && problem != nullptr) {
        *problem = why;
    }
    return wav;
}
