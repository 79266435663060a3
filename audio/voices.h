// Which sounds get a voice: the frame's events become sound requests, the
// same sound in the same place merged into one, and the nearest and newest
// take the few voices there are. Plain logic, no OpenAL, so tests run it.
#pragma once

#include <vector>

#include "sim/events.h"

enum class SoundId : int {
    LaserPlayer,
    LaserComputer,
    Hit,
    Explosion,
    Ram,
    Spawn,
    PlanetGained,
    PlanetLost,
    RouteOpened,
    Victory,
    Defeat,
    Music,
    Alert,
    Count
};

struct SoundInfo {
    const char* file; // under Sounds/
    float gain;       // before distance and merging
    double retrigger; // a repeat nearby within this many seconds merges
};

const SoundInfo& soundInfo(SoundId sound);

// Warnings to a side make no sound where they happen (the alert cue tells them).
bool isHeard(EventKind kind);
SoundId soundFor(const GameEvent& event);

constexpr int kVoiceCount = 32;
// No one sound drowns the others: a flood of lasers leaves room for the rest.
constexpr int kVoicesPerSound = 6;
// Events of one sound closer than this (on each axis) count as one place.
constexpr float kMergeDistance = 3.0f;

struct SoundRequest {
    SoundId sound;
    Vec3 position;
    int count = 1; // events merged into it
};

// What a voice is playing, as far as choosing needs to know.
struct Voice {
    SoundId sound = SoundId::Count;
    Vec3 position{0.0f};
    double startedAt = 0.0;
    double endsAt = 0.0; // free from then on
};

struct VoiceStart {
    int voice;
    SoundRequest request;
};

// One request per sound and place, in the order of first appearance; events
// that are not heard make none.
std::vector<SoundRequest> mergeEvents(const std::vector<GameEvent>& events);

// Which requests start on which voices at time `now`: repeats of a sound
// still starting nearby are dropped, then the nearest requests take free
// voices, and once none are free a request takes over the voice that
// matters least (far away and long playing) if it matters more. A sound
// already on kVoicesPerSound voices can only take over one of its own.
std::vector<VoiceStart> chooseVoices(std::vector<SoundRequest> requests,
                                     const std::vector<Voice>& voices, Vec3 listener, double now);

// The gain a merged request plays at: louder with more events, never more
// than full.
float mergedGain(const SoundRequest& request);
