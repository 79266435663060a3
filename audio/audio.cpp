#include "audio/audio.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <utility>

#include "audio/output.h"

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

// The sources' roles: the music, the game-over jingle (and before the end
// the alert cue), then the voices.
constexpr int kMusicSource = 0;
constexpr int kJingleSource = 1;
constexpr int kFixedSources = 2;
constexpr int kSourcesWanted = kFixedSources + kVoiceCount;
// How often the device is asked whether it is still there, and how long after
// a failed attempt to open it again the next one starts, in seconds.
constexpr double kCheckInterval = 1.0;
constexpr double kRetryInterval = 3.0;

struct AudioState {
    SoundOutput output;
    std::shared_ptr<SoundBank> sounds = std::make_shared<SoundBank>();
    std::vector<Voice> voices;
    Vec3 listener{0.0f};
    bool muted = false;
    bool gameOver = false;
    bool lost = false;
    bool shortfallTold = false;
    double nextCheck = 0.0;
};

AudioState& state() {
    static AudioState audio;
    return audio;
}

OutputReopener& reopener() {
    static OutputReopener attempts;
    return attempts;
}

void disable(const std::string& reason) {
    std::cerr << "Sound disabled: " << reason << std::endl;
}

// OpenAL's own log repeats in its words what the game says in its own (a
// device missing, lost or refusing to open); ALSOFT_LOGLEVEL set by the
// player keeps it, and with it what the libraries say while a device is
// looked for. Returns whether to keep those quiet.
bool quietenLibraries() {
    if (std::getenv("ALSOFT_LOGLEVEL") != nullptr) {
        return false;
    }
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    return true;
}

// A sound that cannot be loaded stays silent; returns what is wrong with each.
std::vector<std::string> loadSounds(const std::string& folder, SoundBank& sounds) {
    std::vector<std::string> problems;
    for (std::size_t i = 0; i < sounds.size(); ++i) {
        const std::string path = folder + "/" + soundInfo(static_cast<SoundId>(i)).file;
        std::string problem;
        sounds[i] = readWav(path, &problem);
        if (!sounds[i]) {
            problems.push_back(path + " " + problem);
        }
    }
    return problems;
}

ALuint sourceFor(int role) {
    const std::vector<ALuint>& sources = state().output.sources;
    return role < static_cast<int>(sources.size()) ? sources[static_cast<std::size_t>(role)] : 0;
}

bool play(ALuint source, SoundId sound, float gain) {
    const ALuint buffer = state().output.buffers[static_cast<std::size_t>(sound)];
    if (source == 0 || buffer == 0) {
        return false;
    }
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
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

// Makes an opened output the one that plays: the listener and the sources
// set up, the music started unless the game has ended.
void adopt(SoundOutput output) {
    AudioState& a = state();
    a.output = std::move(output);
    alcMakeContextCurrent(a.output.context);
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    alListener3f(AL_POSITION, a.listener.x, a.listener.y, a.listener.z);
    const int voices = std::max(0, static_cast<int>(a.output.sources.size()) - kFixedSources);
    for (int v = 0; v < voices; ++v) {
        const ALuint source = sourceFor(kFixedSources + v);
        alSourcef(source, AL_REFERENCE_DISTANCE, kReferenceDistance);
        alSourcef(source, AL_ROLLOFF_FACTOR, kRolloff);
        alSourcef(source, AL_MAX_DISTANCE, kMaxDistance);
    }
    a.voices.assign(static_cast<std::size_t>(voices), Voice{});
    for (int role : {kMusicSource, kJingleSource}) {
        alSourcei(sourceFor(role), AL_SOURCE_RELATIVE, AL_TRUE);
        alSource3f(sourceFor(role), AL_POSITION, 0.0f, 0.0f, 0.0f);
    }
    alSourcei(sourceFor(kMusicSource), AL_LOOPING, AL_TRUE);
    if (!a.gameOver) {
        play(sourceFor(kMusicSource), SoundId::Music, soundInfo(SoundId::Music).gain);
    }
    setMuted(a.muted);
    if (!a.shortfallTold && a.output.sources.size() < static_cast<std::size_t>(kSourcesWanted)) {
        a.shortfallTold = true;
        std::cerr << "Sound: the device gave " << a.output.sources.size() << " of "
                  << kSourcesWanted << " sources; fewer sounds play at once" << std::endl;
    }
}

// The lost device is handed over to be closed, off this thread, with the
// first attempt to open a new one.
void loseDevice() {
    AudioState& a = state();
    std::cerr << "Sound device lost; trying to reconnect" << std::endl;
    alcMakeContextCurrent(nullptr);
    a.lost = true;
    reopener().start(std::exchange(a.output, SoundOutput{}), a.sounds, kSourcesWanted);
}

// Takes what an ended attempt opened; after a failure, the next attempt
// starts a few seconds later.
void tryToReconnect(double now) {
    AudioState& a = state();
    if (!reopener().busy()) {
        if (now >= a.nextCheck) {
            reopener().start(SoundOutput{}, a.sounds, kSourcesWanted);
        }
        return;
    }
    std::optional<SoundOutput> opened = reopener().finished();
    if (!opened) {
        return;
    }
    if (opened->context == nullptr) {
        a.nextCheck = now + kRetryInterval;
        return;
    }
    a.lost = false;
    std::cerr << "Sound device back" << std::endl;
    adopt(std::move(*opened));
    a.nextCheck = now + kCheckInterval;
}

} // namespace

void initAudio(const std::string& folder) {
    AudioState& a = state();
    if (isAudioActive()) {
        return;
    }
    const bool quiet = quietenLibraries();
    std::vector<std::string> problems = loadSounds(folder, *a.sounds);
    if (problems.size() == a.sounds->size()) {
        disable("no sound in " + folder + " could be read");
        return;
    }
    SoundOutput output = openOutput(*a.sounds, kSourcesWanted, quiet);
    if (output.context == nullptr) {
        disable(output.failure);
        return;
    }
    for (std::size_t i = 0; i < a.sounds->size(); ++i) {
        if ((*a.sounds)[i] && output.buffers[i] == 0) {
            problems.push_back(folder + "/" + soundInfo(static_cast<SoundId>(i)).file +
                               " refused by the sound device");
        }
    }
    for (const std::string& problem : problems) {
        std::cerr << "Sound: " << problem << "; playing without it" << std::endl;
    }
    adopt(std::move(output));
}

void watchAudioDevice(double now) {
    AudioState& a = state();
    if (a.lost) {
        tryToReconnect(now);
    } else if (isAudioActive() && now >= a.nextCheck) {
        a.nextCheck = now + kCheckInterval;
        if (!isConnected(a.output)) {
            loseDevice();
        }
    }
}

void updateListener(const Camera& camera) {
    state().listener = camera.eye;
    if (!isAudioActive()) {
        return;
    }
    const Vec3 up = glm::cross(camera.right, camera.forward);
    const float orientation[] = {
        camera.forward.x, camera.forward.y, camera.forward.z, up.x, up.y, up.z};
    alListener3f(AL_POSITION, camera.eye.x, camera.eye.y, camera.eye.z);
    alListenerfv(AL_ORIENTATION, orientation);
}

void playEvents(const std::vector<GameEvent>& events, double now) {
    AudioState& a = state();
    if (!isAudioActive() || a.muted || events.empty() || a.voices.empty()) {
        return;
    }
    const std::vector<VoiceStart> starts =
        chooseVoices(mergeEvents(events), a.voices, a.listener, now);
    for (const VoiceStart& start : starts) {
        const SoundRequest& r = start.request;
        const std::optional<WavData>& wav = (*a.sounds)[static_cast<std::size_t>(r.sound)];
        const double seconds = wav ? wav->seconds() : 0.0;
        a.voices[static_cast<std::size_t>(start.voice)] = {r.sound, r.position, now, now + seconds};
    }
    const float crowd = crowdGain(a.voices, now);
    for (const VoiceStart& start : starts) {
        const SoundRequest& r = start.request;
        const ALuint source = sourceFor(kFixedSources + start.voice);
        alSource3f(source, AL_POSITION, r.position.x, r.position.y, r.position.z);
        play(source, r.sound, mergedGain(r) * crowd);
    }
}

void playGameOver(bool victorious) {
    state().gameOver = true;
    if (!isAudioActive()) {
        return;
    }
    alSourceStop(sourceFor(kMusicSource));
    const SoundId jingle = victorious ? SoundId::Victory : SoundId::Defeat;
    play(sourceFor(kJingleSource), jingle, soundInfo(jingle).gain);
}

void playAlertCue() {
    if (isAudioActive() && !state().muted && !state().gameOver) {
        play(sourceFor(kJingleSource), SoundId::Alert, soundInfo(SoundId::Alert).gain);
    }
}

void restartMusic() {
    AudioState& a = state();
    a.gameOver = false;
    if (!isAudioActive()) {
        return;
    }
    for (const ALuint source : a.output.sources) {
        alSourceStop(source);
    }
    std::fill(a.voices.begin(), a.voices.end(), Voice{});
    play(sourceFor(kMusicSource), SoundId::Music, soundInfo(SoundId::Music).gain);
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
    return state().output.context != nullptr;
}

void shutdownAudio() {
    AudioState& a = state();
    if (isAudioActive()) {
        alcMakeContextCurrent(nullptr);
    }
    closeOutput(a.output);
    reopener().abandon();
    const bool muted = a.muted;
    a = AudioState{};
    a.muted = muted;
}
