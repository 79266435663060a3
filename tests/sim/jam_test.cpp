// Ships that hold orders never wait for ever: crowds part, a step away from a
// touching ship is never blocked, and a computer ship that lost its
// Destination in a bump chooses again behind its detour.
#include "sim/game_speed.h"
#include "sim/generation.h"
#include "sim/jam.h"
#include "sim/movement.h"
#include "sim/opponent.h"
#include "sim/waypoints.h"
#include "tests/sim/sim_test_support.h"

namespace {

using JamTest = simtest::SimTest;

// A line of ships sent through a line coming the other way all get there
// (next to a neighbour on its own point counts) within 20 s.
TEST_F(JamTest, ShipsSentThroughEachOtherAllArrive) {
    std::vector<std::pair<ShipRef, Vec3>> sent;
    for (int i = 0; i < 8; ++i) {
        const float side = i % 2 == 0 ? -1.0f : 1.0f, z = 0.15f * static_cast<float>(i);
        sent.emplace_back(addShip(true, Vec3{0.25f * side, 0.0f, z}), Vec3{-8.0f * side, 0.0f, z});
        appendWaypoint(*sent.back().first, sent.back().second, Waypoint::Destination);
    }
    step(simtest::kFrame, 60 * 20);
    for (const auto& [ship, goal] : sent)
        EXPECT_LE(glm::length(ship->position - goal), 0.5f) << ship->id;
    const ShipRef pressed = addShip(true, sent[0].first->position + Vec3{0.3f, 0.0f, 0.0f});
    EXPECT_TRUE(moveTowards(*sent[0].first, {Vec3{-50.0f, 0.0f, 0.0f}, Waypoint::Destination}));

    addPlanet(Vec3{30.0f, 0.0f, 0.0f});
    const ShipRef bumped = addShip(false, Vec3{20.0f, 0.0f, 0.0f});
    appendWaypoint(*bumped, Vec3{20.0f, 0.0f, 0.4f}, Waypoint::ShipDetour);
    chooseComputerDestination(*bumped);
    chooseComputerDestination(*bumped);
    ASSERT_EQ(bumped->waypoints.size(), 2u);
    EXPECT_EQ(bumped->waypoints[1].position, Vec3(30.0f, 0.0f, 0.0f));

    // Held against a planet longer than a jam lasts, a ship steps out from it.
    const Planet& wall = addPlanet(Vec3{0.0f, 0.0f, 40.0f});
    const ShipRef held = addShip(true, wall.position);
    held->position.z -= wall.radius + 0.9f * held->radius; // touching it
    held->stuckSeconds = kJamSeconds + 1.0f;
    galaxy().frameDelta = simtest::kFrame;
    EXPECT_FALSE(moveTowards(*held, {Vec3{0.0f, 0.0f, 45.0f}, Waypoint::Destination}));
    ASSERT_FALSE(held->waypoints.empty());
    EXPECT_GT(glm::length(held->waypoints.front().position - wall.position),
              wall.radius + held->radius);
}

// A galaxy whose computer ships jam for good without the release (still
// undecided at 30 minutes), left alone by the player, ends in the player's
// defeat. The game is played by the frame as the window plays it.
TEST_F(JamTest, AGalaxyThatJammedPlaysToItsEnd) {
    std::srand(49);
    buildGalaxy();
    const simtest::MutedConsole muted;
    while (galaxy().elapsedTime < 1800.0 && !galaxy().playerDefeated)
        advanceFrame(1.0 / 30.0);
    EXPECT_TRUE(galaxy().playerDefeated) << galaxy().elapsedTime << " s";
}

} // namespace
