#include "audio/voices.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <tuple>

namespace {

// A playing sound loses this many units of "nearness" per second it has played.
constexpr double kAgeWeight = 30.0;

const SoundInfo kSounds[] = {
    {"laser_player.wav", 0.42f, 0.05}, {"laser_computer.wav", 0.42f, 0.05},
    {"hit.wav", 0.56f, 0.05},          {"explosion.wav", 0.85f, 0.10},
    {"ram.wav", 0.45f, 0.35},          {"spawn.wav", 0.30f, 0.20},
    {"planet_gained.wav", 0.85f, 1.0}, {"planet_lost.wav", 0.85f, 1.0},
    {"route_opened.wav", 0.60f, 0.5},  {"victory.wav", 0.80f, 0.0},
    {"defeat.wav", 0.80f, 0.0},        {"music.wav", 0.14f, 0.0},
    {"alert.wav", 0.70f, 0.0},
};
static_assert(std::size(kSounds) == static_cast<std::size_t>(SoundId::Count));

bool samePlace(Vec3 a, Vec3 b) {
    const Vec3 d = glm::abs(a - b);
    return d.x < kMergeDistance && d.y < kMergeDistance && d.z < kMergeDistance;
}

// Key of the cell an event falls in, for merging by sorting.
std::tuple<int, int, int, int> cellOf(SoundId sound, Vec3 p) {
    const auto cell = [](float v) { return static_cast<int>(std::floor(v / kMergeDistance)); };
    return {static_cast<int>(sound), cell(p.x), cell(p.y), cell(p.z)};
}

bool isRepeat(const SoundRequest& request, const std::vector<Voice>& voices, double now) {
    const double gap = soundInfo(request.sound).retrigger;
    return std::any_of(voices.begin(), voices.end(), [&](const Voice& v) {
        return v.sound == request.sound && now - v.startedAt < gap && now < v.endsAt &&
               samePlace(v.position, request.position);
    });
}

double importance(const Voice& voice, Vec3 listener, double now) {
    return glm::length(voice.position - listener) + kAgeWeight * (now - voice.startedAt);
}

} // namespace

const SoundInfo& soundInfo(SoundId sound) {
    return kSounds[static_cast<int>(sound)];
}

bool isHeard(EventKind kind) {
    return kind != EventKind::ClaimRaised && kind != EventKind::PlanetUndeveloped &&
           kind != EventKind::PlanetLost;
}

SoundId soundFor(const GameEvent& event) {
    switch (event.kind) {
    case EventKind::LaserFired:
        return event.side == Side::Player ? SoundId::LaserPlayer : SoundId::LaserComputer;
    case EventKind::ShipHit:
        return SoundId::Hit;
    case EventKind::ShipDestroyed:
        return SoundId::Explosion;
    case EventKind::RammingHit:
        return SoundId::Ram;
    case EventKind::ShipSpawned:
        return SoundId::Spawn;
    case EventKind::PlanetClaimed:
        return event.side == Side::Player ? SoundId::PlanetGained : SoundId::PlanetLost;
    case EventKind::TradeRouteOpened:
        return SoundId::RouteOpened;
    case EventKind::ClaimRaised:
    case EventKind::PlanetUndeveloped:
    case EventKind::PlanetLost:
        break;
    }
    return SoundId::Hit;
}

std::vector<SoundRequest> mergeEvents(const std::vector<GameEvent>& events) {
    struct Keyed {
        std::tuple<int, int, int, int> key;
        std::size_t order;
        SoundId sound;
        Vec3 position;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(events.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (!isHeard(events[i].kind)) {
            continue;
        }
        const SoundId sound = soundFor(events[i]);
        keyed.push_back({cellOf(sound, events[i].position), i, sound, events[i].position});
    }
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        return std::tie(a.key, a.order) < std::tie(b.key, b.order);
    });
    std::vector<std::pair<std::size_t, SoundRequest>> merged;
    for (const Keyed& k : keyed) {
        if (!merged.empty() &&
            cellOf(merged.back().second.sound, merged.back().second.position) == k.key) {
            merged.back().second.count += 1;
        } else {
            merged.push_back({k.order, {k.sound, k.position, 1}});
        }
    }
    std::sort(merged.begin(), merged.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<SoundRequest> requests;
    requests.reserve(merged.size());
    for (const auto& [order, request] : merged) {
        requests.push_back(request);
    }
    return requests;
}

std::vector<VoiceStart> chooseVoices(std::vector<SoundRequest> requests,
                                     const std::vector<Voice>& voices, Vec3 listener, double now) {
    std::erase_if(requests, [&](const SoundRequest& r) { return isRepeat(r, voices, now); });
    // Nearest first; among equals the later event, which is the newer.
    std::reverse(requests.begin(), requests.end());
    std::stable_sort(requests.begin(), requests.end(), [listener](const auto& a, const auto& b) {
        return glm::length(a.position - listener) < glm::length(b.position - listener);
    });
    std::vector<double> worth(voices.size());
    std::vector<SoundId> playing(voices.size(), SoundId::Count);
    std::array<int, static_cast<std::size_t>(SoundId::Count) + 1> perSound{};
    for (std::size_t v = 0; v < voices.size(); ++v) {
        const bool busy = now < voices[v].endsAt;
        worth[v] =
            busy ? importance(voices[v], listener, now) : std::numeric_limits<double>::infinity();
        playing[v] = busy ? voices[v].sound : SoundId::Count;
        perSound[static_cast<std::size_t>(playing[v])] += 1;
    }
    std::vector<VoiceStart> starts;
    for (const SoundRequest& request : requests) {
        // A sound that has all the voices it may have can only take over its own.
        const bool full = perSound[static_cast<std::size_t>(request.sound)] >= kVoicesPerSound;
        std::size_t least = voices.size();
        for (std::size_t v = 0; v < voices.size(); ++v) {
            if ((!full || playing[v] == request.sound) &&
                (least == voices.size() || worth[v] > worth[least])) {
                least = v;
            }
        }
        const double distance = glm::length(request.position - listener);
        if (least == voices.size() || !(distance < worth[least])) {
            continue;
        }
        perSound[static_cast<std::size_t>(playing[least])] -= 1;
        perSound[static_cast<std::size_t>(request.sound)] += 1;
        playing[least] = request.sound;
        worth[least] = distance; // a fresh voice: its importance is its distance
        starts.push_back({static_cast<int>(least), request});
    }
    return starts;
}

float mergedGain(const SoundRequest& request) {
    const float boost = 1.0f + 0.25f * std::log2(static_cast<float>(std::max(1, request.count)));
    return std::min(1.0f, soundInfo(request.sound).gain * boost);
}
