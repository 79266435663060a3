// The events a scripted skirmish records: both sides fire, a bolt hits and
// kills, a planet is taken and a queued ship spawns.
#include <algorithm>

#include "sim/events.h"
#include "tests/sim/sim_test_support.h"

namespace {

class SkirmishEvents : public simtest::SimTest {};

bool recorded(EventKind kind, Side side, Vec3 near, float within) {
    const auto& events = frameEvents();
    return std::any_of(events.begin(), events.end(), [&](const GameEvent& e) {
        return e.kind == kind && e.side == side && glm::length(e.position - near) <= within;
    });
}

TEST_F(SkirmishEvents, ShotHitKillCaptureAndSpawnAreRecordedWhereTheyHappen) {
    scriptDraws({});
    simtest::MutedConsole quiet;
    Planet& home = addPlanet({-30.0f, 0.0f, 0.0f}, 1.0f, Side::Player);
    home.shipQueue = 1;
    home.spawnTimer = 1.99;
    Planet& prize = addPlanet({0.0f, 0.0f, 20.0f});
    prize.playerClaim = 99.99;
    const ShipRef gunner = addShip(true, {0.0f, 0.0f, 21.5f});
    const ShipRef target = addShip(false, {0.0f, 0.0f, 30.0f});
    target->health = 1.0;
    clearEvents();
    step(simtest::kFrame, 60);

    EXPECT_TRUE(recorded(EventKind::LaserFired, Side::Player, gunner->position, 0.01f));
    EXPECT_TRUE(recorded(EventKind::LaserFired, Side::Computer, {0.0f, 0.0f, 30.0f}, 1.0f));
    EXPECT_TRUE(recorded(EventKind::ShipHit, Side::Computer, target->position, 1.0f));
    EXPECT_TRUE(recorded(EventKind::ShipDestroyed, Side::Computer, target->position, 1.0f));
    EXPECT_TRUE(recorded(EventKind::PlanetClaimed, Side::Player, prize.position, 0.0f));
    EXPECT_TRUE(recorded(EventKind::ShipSpawned, Side::Player, home.position, 3.0f));
    EXPECT_EQ(galaxy().computerShips.size(), 0u);
    // A planet that makes no ship (a neutral one) makes no sound either.
    clearEvents();
    spawnRecordedShip(addPlanet({30.0f, 0.0f, -30.0f}, 1.0f, Side::Player));
    spawnRecordedShip(addPlanet({-30.0f, 0.0f, -30.0f}));
    const auto spawns =
        std::count_if(frameEvents().begin(), frameEvents().end(),
                      [](const GameEvent& e) { return e.kind == EventKind::ShipSpawned; });
    EXPECT_EQ(spawns, 1);
}

TEST_F(SkirmishEvents, AnUndrainedListStopsGrowing) {
    clearEvents();
    for (std::size_t i = 0; i < kFrameEventLimit + 10; ++i)
        recordEvent(EventKind::LaserFired, Vec3{0.0f}, Side::Player);
    EXPECT_EQ(frameEvents().size(), kFrameEventLimit);
    clearEvents();
}

} // namespace
