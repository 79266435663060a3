// The game's sounds: file name, shape and the recipe that makes each one.
#pragma once

#include <vector>

#include "synth.h"

namespace soundgen {

struct SoundAsset {
    const char* file;
    int channels;
    double seconds;
    double peak; // the loudest sample, as a share of full scale
    bool loop;   // played round and round: no fades at the ends
    Sound (*make)();
};

const std::vector<SoundAsset>& soundAssets();

// The finished sound of an asset: made, cleaned of clicks and levelled.
Sound render(const SoundAsset& asset);

} // namespace soundgen
