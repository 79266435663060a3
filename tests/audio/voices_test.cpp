// Choosing voices: merging a frame's events, the nearest and newest first
// under a flood, repeats dropped.
#include <gtest/gtest.h>

#include "audio/voices.h"

namespace {

GameEvent laser(Vec3 at, Side side = Side::Player) {
    return {EventKind::LaserFired, at, side};
}

TEST(Voices, OneSoundInOnePlaceIsMergedIntoALouderOne) {
    std::vector<GameEvent> events(100, laser({1.0f, 0.0f, 1.0f}));
    events.push_back(laser({1.5f, 0.0f, 1.0f}, Side::Computer));
    events.push_back(laser({20.0f, 0.0f, 1.0f}));
    events.push_back({EventKind::PlanetClaimed, {20.0f, 0.0f, 1.0f}, Side::Computer});
    const std::vector<SoundRequest> requests = mergeEvents(events);
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0].count, 100);
    EXPECT_EQ(requests[1].sound, SoundId::LaserComputer); // the sides sound apart
    EXPECT_EQ(requests[2].count, 1);
    EXPECT_EQ(requests[3].sound, SoundId::PlanetLost); // the computer's gain
    EXPECT_GT(mergedGain(requests[0]), mergedGain(requests[2]));
    EXPECT_LE(mergedGain(requests[0]), 1.0f);
}

TEST(Voices, AFloodTakesTheNearestThenOnlyWhatMattersMore) {
    // Six sounds in turn, each event 5 units farther than the one before.
    const EventKind kinds[] = {EventKind::LaserFired, EventKind::LaserFired,
                               EventKind::ShipHit,    EventKind::ShipDestroyed,
                               EventKind::RammingHit, EventKind::ShipSpawned};
    std::vector<GameEvent> flood;
    for (int i = 499; i >= 0; --i) {
        const Side side = i % 6 == 1 ? Side::Computer : Side::Player;
        flood.push_back({kinds[i % 6], {10.0f + 5.0f * static_cast<float>(i), 0.0f, 0.0f}, side});
    }
    std::vector<Voice> voices(kVoiceCount);
    const auto starts = chooseVoices(mergeEvents(flood), voices, Vec3{0.0f}, 10.0);
    ASSERT_EQ(starts.size(), static_cast<std::size_t>(kVoiceCount));
    for (const VoiceStart& s : starts) {
        EXPECT_LT(s.request.position.x, 10.0f + 5.0f * kVoiceCount);
        voices[static_cast<std::size_t>(s.voice)] = {s.request.sound, s.request.position, 10.0,
                                                     11.0};
    }
    std::vector<GameEvent> lasers;
    for (int i = 0; i < 100; ++i)
        lasers.push_back(laser({10.0f * static_cast<float>(i), 0.0f, 0.0f}));
    EXPECT_EQ(chooseVoices(mergeEvents(lasers), std::vector<Voice>(kVoiceCount), {}, 0.0).size(),
              static_cast<std::size_t>(kVoicesPerSound));

    // Half a second on: a nearer shot takes over the farthest voice of its own
    // sound (it has all it may have); a repeat where a shot has just started
    // and a shot farther than every voice get nothing.
    const auto next = chooseVoices(
        {{SoundId::LaserPlayer, {5.0f, 0.0f, 0.0f}}, {SoundId::Hit, {500.0f, 0.0f, 0.0f}}}, voices,
        Vec3{0.0f}, 10.5);
    ASSERT_EQ(next.size(), 1u);
    EXPECT_EQ(voices[static_cast<std::size_t>(next[0].voice)].position.x, 160.0f);
    EXPECT_TRUE(
        chooseVoices({{SoundId::LaserPlayer, {10.0f, 0.0f, 0.0f}}}, voices, {}, 10.01).empty());
}

} // namespace
