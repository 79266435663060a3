#include "sim/events.h"

#include "sim/generation.h"

namespace {

std::vector<GameEvent>& events() {
    static std::vector<GameEvent> list;
    return list;
}

Side sideOf(const Ship& ship) {
    return ship.isPlayer ? Side::Player : Side::Computer;
}

} // namespace

void recordEvent(EventKind kind, Vec3 position, Side side) {
    if (events().size() < kFrameEventLimit) {
        events().push_back({kind, position, side});
    }
}

void damageShip(Ship& ship, double damage, EventKind hitKind) {
    recordEvent(hitKind, ship.position, sideOf(ship));
    if (ship.health > 0.0 && ship.health - damage <= 0.0) {
        recordEvent(EventKind::ShipDestroyed, ship.position, sideOf(ship));
    }
    ship.health -= damage;
}

void spawnRecordedShip(Planet& planet) {
    const bool isPlayer = planet.owner == Side::Player;
    const std::size_t before = shipsOfSide(isPlayer).size();
    spawnShip(planet);
    const ShipList& ships = shipsOfSide(isPlayer);
    if (ships.size() > before) {
        recordEvent(EventKind::ShipSpawned, ships.back()->position, planet.owner);
    }
}

const std::vector<GameEvent>& frameEvents() {
    return events();
}

void clearEvents() {
    events().clear();
}
