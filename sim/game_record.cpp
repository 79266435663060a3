#include "sim/game_record.h"

#include <algorithm>

namespace {

GameRecord& record() {
    static GameRecord game;
    return game;
}

// Ships join the end of their side's list with ids above every older one; a
// ship at zero health is lost, whether or not its list has dropped it yet.
void countShips(GameRecord& r, bool isPlayer) {
    const ShipList& ships = shipsOfSide(isPlayer);
    const std::size_t side = recordIndex(isPlayer);
    std::size_t joined = 0;
    for (auto ship = ships.rbegin(); ship != ships.rend() && (*ship)->id > r.newestShipId[side];
         ++ship) {
        ++joined;
    }
    if (!ships.empty()) {
        r.newestShipId[side] = std::max(r.newestShipId[side], ships.back()->id);
    }
    const auto alive = static_cast<std::size_t>(std::count_if(
        ships.begin(), ships.end(), [](const ShipRef& ship) { return ship->health > 0.0; }));
    SideTally& tally = r.tally[side];
    if (r.started) {
        tally.shipsBuilt += static_cast<int>(joined);
        tally.shipsLost += static_cast<int>(r.fleet[side] + joined - alive);
    }
    r.fleet[side] = alive;
    tally.largestFleet = std::max(tally.largestFleet, alive);
}

void countOwners(GameRecord& r) {
    const auto& planets = galaxy().planets;
    r.owners.resize(planets.size(), Side::Neutral);
    for (std::size_t i = 0; i < planets.size(); ++i) {
        const Side owner = planets[i]->owner;
        Side& before = r.owners[i];
        if (r.started && owner != before) {
            if (owner != Side::Neutral) {
                r.tally[recordIndex(owner == Side::Player)].planetsClaimed += 1;
            }
            if (before != Side::Neutral) {
                r.tally[recordIndex(before == Side::Player)].planetsLost += 1;
            }
        }
        before = owner;
    }
}

RecordSample sampleNow(const GameRecord& r) {
    RecordSample sample;
    sample.ships = r.fleet;
    for (const auto& planet : galaxy().planets) {
        if (planet->owner != Side::Neutral && isEstablished(*planet)) {
            sample.developed[recordIndex(planet->owner == Side::Player)] += 1;
        }
    }
    return sample;
}

} // namespace

const GameRecord& gameRecord() {
    return record();
}

void recordGameStep() {
    GameRecord& r = record();
    countShips(r, true);
    countShips(r, false);
    countOwners(r);
    r.started = true;
    r.length = galaxy().elapsedTime;
    while (static_cast<double>(r.samples.size()) <= r.length) {
        r.samples.push_back(sampleNow(r));
    }
}

void resetGameRecord() {
    record() = GameRecord{};
}
