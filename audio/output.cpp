#include "audio/output.h"

// alcSetThreadContext: OpenAL Soft always has it.
#define AL_ALEXT_PROTOTYPES
#include <AL/alext.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>

namespace {

// Without a sound card ALSA and OpenAL each report it in lines of their own
// while the device is looked for; the game says it once.
ALCdevice* openDefaultDevice(bool quiet) {
    if (!quiet) {
        return alcOpenDevice(nullptr);
    }
    std::cerr.flush();
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int sink = open("/dev/null", O_WRONLY);
    if (saved >= 0 && sink >= 0) {
        dup2(sink, STDERR_FILENO);
    }
    ALCdevice* device = alcOpenDevice(nullptr);
    std::fflush(stderr);
    if (saved >= 0 && sink >= 0) {
        dup2(saved, STDERR_FILENO);
    }
    for (int fd : {saved, sink}) {
        if (fd >= 0) {
            close(fd);
        }
    }
    return device;
}

// Buffers for the sounds that loaded; one the device will not take stays 0.
void uploadSounds(const SoundBank& sounds, SoundOutput& output) {
    for (std::size_t i = 0; i < sounds.size(); ++i) {
        if (!sounds[i]) {
            continue;
        }
        const WavData& wav = *sounds[i];
        alGetError();
        ALuint& buffer = output.buffers[i];
        alGenBuffers(1, &buffer);
        alBufferData(buffer, wav.channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16,
                     wav.samples.data(),
                     static_cast<ALsizei>(wav.samples.size() * sizeof(std::int16_t)), wav.rate);
        if (alGetError() != AL_NO_ERROR) {
            alDeleteBuffers(1, &buffer);
            buffer = 0;
        }
    }
}

// One at a time: a device with fewer sources than asked gives what it has.
void makeSources(int wanted, SoundOutput& output) {
    alGetError();
    for (int i = 0; i < wanted; ++i) {
        ALuint source = 0;
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR) {
            return;
        }
        output.sources.push_back(source);
    }
}

} // namespace

ALCcontext* createContext(ALCdevice* device, const ContextCalls& calls) {
    if (calls.hasExtension(device, "ALC_SOFT_output_limiter") == ALC_TRUE) {
        const ALCint limited[] = {ALC_OUTPUT_LIMITER_SOFT, ALC_TRUE, 0};
        if (ALCcontext* context = calls.create(device, limited)) {
            return context;
        }
    }
    return calls.create(device, nullptr);
}

SoundOutput openOutput(const SoundBank& sounds, int sourcesWanted, bool quiet) {
    SoundOutput output;
    output.device = openDefaultDevice(quiet);
    if (output.device == nullptr) {
        output.failure = "no sound device could be opened";
        return output;
    }
    output.context = createContext(output.device);
    if (output.context == nullptr || alcSetThreadContext(output.context) == ALC_FALSE) {
        output.failure = "OpenAL could not start on the sound device";
        closeOutput(output);
        return output;
    }
    uploadSounds(sounds, output);
    makeSources(sourcesWanted, output);
    alcSetThreadContext(nullptr);
    if (output.sources.empty()) {
        output.failure = "the sound device gave no sources to play on";
        closeOutput(output);
    }
    return output;
}

void closeOutput(SoundOutput& output) {
    if (output.context != nullptr && alcSetThreadContext(output.context) == ALC_TRUE) {
        alDeleteSources(static_cast<ALsizei>(output.sources.size()), output.sources.data());
        for (ALuint buffer : output.buffers) {
            if (buffer != 0) {
                alDeleteBuffers(1, &buffer);
            }
        }
        alcSetThreadContext(nullptr);
    }
    if (output.context != nullptr) {
        alcDestroyContext(output.context);
    }
    if (output.device != nullptr) {
        alcCloseDevice(output.device);
    }
    std::string failure = std::move(output.failure);
    output = SoundOutput{};
    output.failure = std::move(failure);
}

bool isConnected(const SoundOutput& output) {
    if (output.device == nullptr ||
        alcIsExtensionPresent(output.device, "ALC_EXT_disconnect") == ALC_FALSE) {
        return output.device != nullptr;
    }
    ALCint connected = ALC_TRUE;
    alcGetIntegerv(output.device, ALC_CONNECTED, 1, &connected);
    return connected == ALC_TRUE;
}

void OutputReopener::abandon() {
    if (attempt_ == nullptr) {
        return;
    }
    if (attempt_->stage.exchange(Abandoned) == Done) {
        thread_.join();
        closeOutput(attempt_->result);
    } else {
        thread_.detach();
    }
    attempt_.reset();
}

void OutputReopener::start(SoundOutput lost, std::shared_ptr<const SoundBank> sounds,
                           int sourcesWanted) {
    attempt_ = std::make_shared<Attempt>();
    thread_ = std::thread([attempt = attempt_, lost, sounds, sourcesWanted]() mutable {
        closeOutput(lost);
        attempt->result = openOutput(*sounds, sourcesWanted, false);
        if (attempt->stage.exchange(Done) == Abandoned) {
            closeOutput(attempt->result);
        }
    });
}

std::optional<SoundOutput> OutputReopener::finished() {
    if (attempt_ == nullptr || attempt_->stage.load() != Done) {
        return std::nullopt;
    }
    thread_.join();
    SoundOutput result = std::move(attempt_->result);
    attempt_.reset();
    return result;
}
