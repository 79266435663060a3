#include "audio/audio.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "audio/voices.h"
#include "audio/wav_file.h"

namespace {

// A fight at the camera's usual distance plays full; across the galaxy, faint.
constexpr float kReferenceDistance = 25.0f;
constexpr float kRolloff = 1.5f;
constexpr float kMaxDistance = 400.0f;
// Headroom for the mix of many voices.
constexpr float kMasterGain = 0.6f;
// Up to this many voices play at full gain; beyond, new ones start softer so
// that a big battle swells without clipping.
constexpr float kCrowdFree = 6.0f;

struct LoadedSound {
    ALuint buffer = 0;
    double seconds = 0.0;
};

struct AudioState {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    std::array<LoadedSound, static_cast<std::size_t>(SoundId::Count)> sounds{};
    std::array<ALuint, kVoiceCount> sources{};
    std::vector<Voice> voices;
    ALuint musicSource = 0;
    ALuint jingleSource = 0;
    Vec3 listener{0.0f};
    bool muted = false;
};

AudioState& state() {
    static AudioState audio;
    return audio;
}

void disable(const std::string& reason) {
    std::cerr << "Sound disabled: " << reason << std::endl;
}

// Without a sound card ALSA and OpenAL each report it in lines of their own
// while the device is looked for; the game says it once. Setting
// ALSOFT_LOGLEVEL keeps their reports.
ALCdevice* openDefaultDeviceQuietly() {
    if (std::getenv("ALSOFT_LOGLEVEL") != nullptr) {
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

bool openDevice() {
    AudioState& a = state();
    a.device = openDefaultDeviceQuietly();
    if (a.device == nullptr) {
        disable("no sound device could be opened");
        return false;
    }
    const ALCint attributes[] = {ALC_OUTPUT_LIMITER_SOFT, ALC_TRUE, 0};
    a.context = alcCreateContext(a.device, attributes);
    if (a.context == nullptr || alcMakeContextCurrent(a.context) == ALC_FALSE) {
        disable("OpenAL could not start on the sound device");
        shutdownAudio();
        return false;
    }
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    alListenerf(AL_GAIN, kMasterGain);
    return true;
}

// A sound that cannot be loaded stays silent; its name goes on the list.
std::string loadSounds(const std::string& folder) {
    std::string broken;
    for (int i = 0; i < static_cast<int>(SoundId::Count); ++i) {
        const std::string path = folder + "/" + soundInfo(static_cast<SoundId>(i)).file;
        const std::optional<WavData> wav = readWav(path);
        LoadedSound& sound = state().sounds[static_cast<std::size_t>(i)];
        if (wav) {
            alGetError();
            alGenBuffers(1, &sound.buffer);
            alBufferData(sound.buffer, wav->channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16,
                         wav->samples.data(),
                         static_cast<ALsizei>(wav->samples.size() * sizeof(std::int16_t)),
                         wav->rate);
            sound.seconds = wav->seconds();
            if (alGetError() == AL_NO_ERROR) {
                continue;
            }
            alDeleteBuffers(1, &sound.buffer);
            sound = LoadedSound{};
        }
        broken += (broken.empty() ? "" : ", ") + path;
    }
    return broken;
}

void makeSources() {
    AudioState& a = state();
    alGenSources(kVoiceCount, a.sources.data());
    for (ALuint source : a.sources) {
        alSourcef(source, AL_REFERENCE_DISTANCE, kReferenceDistance);
        alSourcef(source, AL_ROLLOFF_FACTOR, kRolloff);
        alSourcef(source, AL_MAX_DISTANCE, kMaxDistance);
    }
    a.voices.assign(kVoiceCount, Voice{});
    for (ALuint* source : {&a.musicSource, &a.jingleSource}) {
        alGenSources(1, source);
        alSourcei(*source, AL_SOURCE_RELATIVE, AL_TRUE);
        alSource3f(*source, AL_POSITION, 0.0f, 0.0f, 0.0f);
    }
}

bool play(ALuint source, SoundId sound, float gain) {
    const LoadedSound& loaded = state().sounds[static_cast<std::size_t>(sound)];
    if (loaded.buffer == 0) {
        return false;
    }
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, static_cast<ALint>(loaded.buffer));
    alSourcef(source, AL_GAIN, gain);
    alSourcePlay(source);
    return true;
}

float crowdGain(const std::vector<Voice>& voices, double now) {
    const auto busy = std::count_if(voices.begin(), voices.end(),
                                    [now](const Voice& v) { return now < v.endsAt; });
    return std::min(1.0f,
                    std::pow(kCrowdFree / static_cast<float>(std::max<long>(busy, 1)), 0.75f));
}

} // namespace

void initAudio(const std::string& folder) {
    if (isAudioActive() || !openDevice()) {
        return;
    }
    const std::string broken = loadSounds(folder);
    if (!broken.empty()) {
        disable(broken + " missing or broken");
    }
    makeSources();
    alSourcei(state().musicSource, AL_LOOPING, AL_TRUE);
    play(state().musicSource, SoundId::Music, soundInfo(SoundId::Music).gain);
    setMuted(state().muted);
}

void updateListener(const Camera& camera) {
    if (!isAudioActive()) {
        return;
    }
    const Vec3 up = glm::cross(camera.right, camera.forward);
    const float orientation[] = {
        camera.forward.x, camera.forward.y, camera.forward.z, up.x, up.y, up.z};
    alListener3f(AL_POSITION, camera.eye.x, camera.eye.y, camera.eye.z);
    state().listener = camera.eye;
    alListenerfv(AL_ORIENTATION, orientation);
}

void playEvents(const std::vector<GameEvent>& events, double now) {
    AudioState& a = state();
    if (!isAudioActive() || a.muted || events.empty()) {
        return;
    }
    const std::vector<VoiceStart> starts =
        chooseVoices(mergeEvents(events), a.voices, a.listener, now);
    for (const VoiceStart& start : starts) {
        const SoundRequest& r = start.request;
        const double seconds = a.sounds[static_cast<std::size_t>(r.sound)].seconds;
        a.voices[static_cast<std::size_t>(start.voice)] = {r.sound, r.position, now, now + seconds};
    }
    const float crowd = crowdGain(a.voices, now);
    for (const VoiceStart& start : starts) {
        const SoundRequest& r = start.request;
        const ALuint source = a.sources[static_cast<std::size_t>(start.voice)];
        alSource3f(source, AL_POSITION, r.position.x, r.position.y, r.position.z);
        play(source, r.sound, mergedGain(r) * crowd);
    }
}

void playGameOver(bool victorious) {
    if (!isAudioActive()) {
        return;
    }
    alSourceStop(state().musicSource);
    const SoundId jingle = victorious ? SoundId::Victory : SoundId::Defeat;
    play(state().jingleSource, jingle, soundInfo(jingle).gain);
}

void setMuted(bool muted) {
    state().muted = muted;
    if (isAudioActive()) {
        alListenerf(AL_GAIN, muted ? 0.0f : kMasterGain);
    }
}

bool isMuted() {
    return state().muted;
}

bool isAudioActive() {
    return state().context != nullptr;
}

void shutdownAudio() {
    AudioState& a = state();
    if (a.context != nullptr) {
        alDeleteSources(kVoiceCount, a.sources.data());
        alDeleteSources(1, &a.musicSource);
        alDeleteSources(1, &a.jingleSource);
        for (LoadedSound& sound : a.sounds) {
            if (sound.buffer != 0) {
                alDeleteBuffers(1, &sound.buffer);
            }
        }
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(a.context);
    }
    if (a.device != nullptr) {
        alcCloseDevice(a.device);
    }
    const bool muted = a.muted;
    a = AudioState{};
    a.muted = muted;
}
