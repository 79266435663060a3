// The sound device as the game holds it: the default device, a context on it,
// a buffer for every sound that loaded and the sources that play them. All of
// it is made and released on the calling thread without touching the current
// context of the others, so a lost device can be reopened off the main loop.
#pragma once

#include <AL/al.h>
#include <AL/alc.h>

#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "audio/voices.h"
#include "audio/wav_file.h"

// Every sound the game plays, as decoded from its file; empty where it did not load.
using SoundBank = std::array<std::optional<WavData>, static_cast<std::size_t>(SoundId::Count)>;

struct SoundOutput {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    std::array<ALuint, static_cast<std::size_t>(SoundId::Count)> buffers{}; // 0: not loaded
    std::vector<ALuint> sources; // as many as the context gave, up to the number asked
    std::string failure;         // why nothing can play, when nothing can
};

// The two calls that choosing a context's attributes rests on; tests put in
// a device that lacks or refuses the output limiter.
struct ContextCalls {
    ALCboolean (*hasExtension)(ALCdevice*, const ALCchar*) = alcIsExtensionPresent;
    ALCcontext* (*create)(ALCdevice*, const ALCint*) = alcCreateContext;
};

// A context with the output limiter where the device offers its extension;
// without the extension, or when the device refuses it, one without.
ALCcontext* createContext(ALCdevice* device, const ContextCalls& calls = {});

// Opens it all. `quiet` drops what the libraries print while the device is
// looked for, by silencing standard error for the whole process: main thread only.
SoundOutput openOutput(const SoundBank& sounds, int sourcesWanted, bool quiet);

void closeOutput(SoundOutput& output);

// False once the device has told that it is disconnected.
bool isConnected(const SoundOutput& output);

// Closing a lost device and opening a new one each take tens of milliseconds
// (more when a sound server is slow to answer), too long for a frame: it is
// done here on a thread of its own, one attempt at a time.
class OutputReopener {
  public:
    OutputReopener() = default;
    OutputReopener(const OutputReopener&) = delete;
    OutputReopener& operator=(const OutputReopener&) = delete;
    ~OutputReopener() { abandon(); }

    // Closes `lost` and opens the default device again, in the background.
    void start(SoundOutput lost, std::shared_ptr<const SoundBank> sounds, int sourcesWanted);
    bool busy() const { return attempt_ != nullptr; }
    // Once an attempt has ended: what it opened, a context or a failure.
    std::optional<SoundOutput> finished();
    // Forgets the attempt in progress: one stuck on a server that does not
    // answer must not hold up the game's exit, so it ends, and closes what it
    // opened, on its own.
    void abandon();

  private:
    enum Stage : int { Running, Done, Abandoned };
    struct Attempt {
        std::atomic<int> stage{Running};
        SoundOutput result;
    };
    std::shared_ptr<Attempt> attempt_;
    std::thread thread_;
};
