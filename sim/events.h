// What happened in the galaxy during the frame, for whoever wants to react:
// the application plays sounds for them, headless tests read them. Recording
// an event never changes the simulation. Damage to ships goes through here
// too, so that no hit goes unrecorded.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/galaxy.h"

enum class EventKind : std::uint8_t {
    LaserFired,       // side: the shooter's
    ShipHit,          // side: the ship that was hit
    ShipDestroyed,    // side: the ship that was lost
    RammingHit,       // side: the ship that was rammed
    ShipSpawned,      // side: the new ship's
    PlanetClaimed,    // side: the planet's new owner
    TradeRouteOpened, // side: the side that opened it
    // What a side is warned of; silent in the galaxy.
    ClaimRaised,       // side: the claimant, at a planet the other side owns
    PlanetUndeveloped, // side: the owner, whose planet fell below developed
    PlanetLost,        // side: the former owner
};

struct GameEvent {
    EventKind kind;
    Vec3 position;
    Side side;
};

// Nobody drains the list in headless runs, so it stops growing here.
constexpr std::size_t kFrameEventLimit = 4096;

void recordEvent(EventKind kind, Vec3 position, Side side);

// The ship loses `damage` health to a laser or a ram; the hit is recorded
// first, then the ship's loss when this takes it to zero.
void damageShip(Ship& ship, double damage, EventKind hitKind);

// Spawns a ship at the planet as the game does, and records it when one
// actually left (a full side or blocked spawn points make none).
void spawnRecordedShip(Planet& planet);

// The events since the last drain, oldest first.
const std::vector<GameEvent>& frameEvents();

// Called by whoever has handled the events, after each step.
void clearEvents();
