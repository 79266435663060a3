// What the sound device is handed: WAV files as a player may leave them, and
// a context without the output limiter where the device lacks or refuses it.
#include <filesystem>
#include <fstream>

#include <AL/alext.h>
#include <gtest/gtest.h>

#include "audio/output.h"

namespace {

std::string le(std::uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i)
        s += static_cast<char>(v >> (8 * i));
    return s;
}
std::string chunk(const char* id, std::uint32_t size,
                  const std::string& body = {"\1\0\2\0\3\0\4", 7}) {
    return id + le(size, 4) + body;
}
std::string wav(const std::string& chunks, int channels = 1, int bits = 16) {
    return "RIFFsizeWAVE" +
           chunk("fmt ", 16, le(1, 2) + le(channels, 2) + le(8000, 4) + le(0, 6) + le(bits, 2)) +
           chunks;
}

TEST(WavFile, ChunksAreReadOnlyWithinTheBytesThereAre) {
    const std::pair<std::string, std::size_t> rows[] = {
        // bytes, samples (0: refused)
        {wav(chunk("data", 6)), 3},
        {wav(chunk("data", 7)), 3},                          // an odd size: the whole samples
        {wav(chunk("LIST", 1, "ab") + chunk("data", 4)), 2}, // an odd chunk's pad skipped
        {wav(chunk("data", 8)), 0},                          // larger than the file
        {wav(chunk("data", 0xFFFFFFFF)), 0},
        {wav(chunk("data", 2), 2), 0}, // half a frame
        {wav(chunk("data", 4), 3), 0},
        {wav(chunk("data", 4), 1, 8), 0},
        {"RIFFsizeWAVE" + chunk("data", 4, "abcd") + wav("").substr(12), 0}, // before its format
        {wav("").substr(0, 11), 0},
    };
    for (const auto& [bytes, samples] : rows) {
        const auto read = parseWav(bytes);
        EXPECT_EQ(read ? read->samples.size() : 0u, samples) << testing::PrintToString(bytes);
    }
    const std::string path = testing::TempDir() + "huge.wav";
    std::ofstream(path) << wav(chunk("data", kMaxWavBytes));
    std::filesystem::resize_file(path, kMaxWavBytes + 1);
    std::string problem;
    EXPECT_FALSE(readWav(path, &problem));
    EXPECT_EQ(problem, "larger than 64 MiB");
    std::filesystem::remove(path);
}

bool offered, refused;
std::vector<bool> asked; // whether each context asked for had the limiter on

ALCboolean hasExtension(ALCdevice*, const ALCchar* name) {
    return offered && std::string(name) == "ALC_SOFT_output_limiter";
}
ALCcontext* create(ALCdevice*, const ALCint* a) {
    asked.push_back(a && a[0] == ALC_OUTPUT_LIMITER_SOFT && a[1] == ALC_TRUE);
    return refused && asked.back() ? nullptr : reinterpret_cast<ALCcontext*>(&asked);
}

TEST(SoundOutput, TheLimiterOnlyWhereTheDeviceOffersAndTakesIt) {
    const std::vector<bool> expected[] = {{false}, {true}, {true, false}};
    for (int row = 0; row < 3; ++row) {
        offered = row > 0;
        refused = row > 1;
        asked.clear();
        EXPECT_NE(createContext(nullptr, {hasExtension, create}), nullptr);
        EXPECT_EQ(asked, expected[row]) << row;
    }
}

} // namespace
