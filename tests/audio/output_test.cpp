// What the sound device is handed: WAV files as a player may leave them, and
// a context without the output limiter where the device lacks or refuses it.
#include <AL/alext.h>
#include <gtest/gtest.h>

#include "audio/output.h"

namespace {

// Little-endian, as every machine the game runs on.
std::string le(std::uint32_t v, int bytes) {
    return {reinterpret_cast<const char*>(&v), std::size_t(bytes)};
}
std::string chunk(const char* id, std::uint32_t size,
                  const std::string& body = {"\1\0\2\0\3\0\4", 7}) {
    return id + le(size, 4) + body;
}
std::string wav(const std::string& chunks, int channels = 1) {
    return "RIFFsizeWAVE" +
           chunk("fmt ", 16,
                 le(1, 2) + le(channels, 2) + le(8000, 4) + std::string(6, 0) + le(16, 2)) +
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
        {wav(chunk("data", 2), 2), 0},                                       // half a frame
        {"RIFFsizeWAVE" + chunk("data", 4, "abcd") + wav("").substr(12), 0}, // before its format
        {wav("").substr(0, 11), 0},
    };
    for (const auto& [bytes, samples] : rows) {
        const auto read = parseWav(bytes);
        EXPECT_EQ(read ? read->samples.size() : 0u, samples) << testing::PrintToString(bytes);
    }
}

int offers; // 0: no such extension, 1: the limiter offered and taken, 2: offered but refused
std::vector<bool> asked; // whether each context asked for had the limiter on

TEST(SoundOutput, TheLimiterOnlyWhereTheDeviceOffersAndTakesIt) {
    const ContextCalls device{
        [](ALCdevice*, const ALCchar* name) -> ALCboolean {
            return offers > 0 && std::string(name) == "ALC_SOFT_output_limiter";
        },
        [](ALCdevice*, const ALCint* a) {
            asked.push_back(a && a[0] == ALC_OUTPUT_LIMITER_SOFT && a[1] == ALC_TRUE);
            return offers == 2 && asked.back() ? nullptr : reinterpret_cast<ALCcontext*>(&asked);
        }};
    const std::vector<bool> expected[] = {{false}, {true}, {true, false}};
    for (offers = 0; offers < 3; ++offers, asked.clear()) {
        EXPECT_NE(createContext(nullptr, device), nullptr);
        EXPECT_EQ(asked, expected[offers]) << offers;
    }
}

} // namespace
