// Arbitrary bytes through the WAV reader, as if they were one of the game's
// sound files, which a player can replace.
#include <cstdlib>

#include "audio/wav_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto wav = parseWav({reinterpret_cast<const char*>(data), size});
    // The upload takes whole frames of one or two channels that the bytes held.
    if (wav &&
        ((wav->channels != 1 && wav->channels != 2) || wav->rate <= 0 || wav->samples.empty() ||
         wav->samples.size() % wav->channels != 0 || wav->samples.size() * 2 > size))
        std::abort();
    return 0;
}
