// The generated sounds as the game reads them: every file there, 16-bit
// WAV at 44.1 kHz of the stated length, neither silent nor clipped, the
// music loop without a seam.
#include <algorithm>
#include <cmath>
#include <filesystem>

#include <gtest/gtest.h>

#include "audio/voices.h"
#include "audio/wav_file.h"

namespace fs = std::filesystem;

namespace {

const fs::path kSounds = fs::path(VORLAXIS_GAME_DIR) / "Sounds";

struct SoundRow {
    const char* file;
    int channels;
    double seconds;
};

const SoundRow kRows[] = {
    {"laser_player.wav", 1, 0.30}, {"laser_computer.wav", 1, 0.35},
    {"hit.wav", 1, 0.35},          {"explosion.wav", 1, 1.8},
    {"ram.wav", 1, 0.6},           {"spawn.wav", 1, 0.9},
    {"planet_gained.wav", 1, 1.4}, {"planet_lost.wav", 1, 1.6},
    {"route_opened.wav", 1, 1.0},  {"victory.wav", 2, 4.0},
    {"defeat.wav", 2, 4.5},        {"music.wav", 2, 32.0},
    {"alert.wav", 1, 0.7},
};

TEST(Soundgen, EverySoundIsAudibleUnclippedAndOfItsLength) {
    std::vector<double> played; // each sound's loudness at the gain the game plays it at, dB
    for (const SoundRow& row : kRows) {
        SCOPED_TRACE(row.file);
        const auto wav = readWav((kSounds / row.file).string());
        ASSERT_TRUE(wav.has_value());
        EXPECT_EQ(wav->rate, 44100);
        EXPECT_EQ(wav->channels, row.channels);
        EXPECT_NEAR(wav->seconds(), row.seconds, 1.0 / 44100);
        double peak = 0.0;
        double energy = 0.0;
        for (std::int16_t s : wav->samples) {
            peak = std::max(peak, std::abs(s / 32768.0));
            energy += (s / 32768.0) * (s / 32768.0);
        }
        const double rms = std::sqrt(energy / static_cast<double>(wav->samples.size()));
        EXPECT_LT(peak, 0.9); // headroom: never at full scale
        EXPECT_GT(peak, 0.4); // levelled, not left faint
        EXPECT_GT(rms, 0.01); // above -40 dBFS on average: not silent
        const SoundInfo& info = soundInfo(SoundId(played.size()));
        ASSERT_STREQ(info.file, row.file); // the rows run in the game's order
        played.push_back(20 * std::log10(rms * info.gain));
    }
    // A battle is heard over the music: its lasers and hits 6 dB above it.
    for (SoundId s : {SoundId::LaserPlayer, SoundId::LaserComputer, SoundId::Hit}) {
        EXPECT_GT(played[int(s)], played[int(SoundId::Music)] + 6.0) << soundInfo(s).file;
    }
    const auto music = readWav((kSounds / "music.wav").string());
    ASSERT_TRUE(music.has_value());
    const auto& s = music->samples;
    EXPECT_LT(std::abs(s[s.size() - 2] - s[0]), 600) << "the loop jumps at its seam";
}

} // namespace
