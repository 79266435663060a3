#include "sim/capture.h"

#include <vector>

#include "sim/events.h"
#include "sim/generation.h"
#include "sim/spatial_index.h"

namespace {

constexpr double kFullClaim = 100.0;
constexpr double kFullBand = 0.1;
constexpr int kCaptureShips = 2;

// Once the two claims fill the planet (to within the band), every gain of one
// side is the other side's loss. A long frame can carry the sum past the band
// in one go; it is still full then, or both claims would climb past 100.
bool claimsAreFull(const Planet& planet) {
    return kFullClaim - (planet.playerClaim + planet.computerClaim) < kFullBand;
}

void addClaim(Planet& planet, bool isPlayer, double dt) {
    double& own = isPlayer ? planet.playerClaim : planet.computerClaim;
    double& other = isPlayer ? planet.computerClaim : planet.playerClaim;
    own += dt;
    if (claimsAreFull(planet)) {
        other -= dt;
    }
}

// The player's claim is looked at first.
void settleOwner(Planet& planet) {
    if (planet.playerClaim >= kFullClaim) {
        planet.playerClaim = kFullClaim;
        planet.owner = Side::Player;
    } else if (planet.computerClaim >= kFullClaim) {
        planet.computerClaim = kFullClaim;
        planet.owner = Side::Computer;
    }
}

// A planet taken while one side had no claim on it at all greets its new
// owner with two ships, and its queue starts spawning at once.
void rewardCapture(Planet& planet) {
    for (int i = 0; i < kCaptureShips; ++i) {
        spawnShip(planet);
    }
    planet.spawnTimer = planet.captureSpawnCredit;
}

// What the claim did to a planet the other side owned: rose against it,
// took it below developed, took it over.
void recordClaimAgainst(const Planet& planet, Side claimant, Side ownerBefore,
                        bool wasEstablished) {
    if (ownerBefore == Side::Neutral || ownerBefore == claimant) {
        return;
    }
    recordEvent(EventKind::ClaimRaised, planet.position, claimant);
    if (planet.owner != ownerBefore) {
        recordEvent(EventKind::PlanetLost, planet.position, ownerBefore);
    } else if (wasEstablished && !isEstablished(planet)) {
        recordEvent(EventKind::PlanetUndeveloped, planet.position, ownerBefore);
    }
}

} // namespace

void claimNearbyPlanets(Ship& ship) {
    const Galaxy& g = galaxy();
    static std::vector<Planet*> nearby;
    planetsNear(ship.position, g.captureRadius, nearby);
    for (Planet* planet : nearby) {
        const bool fresh = planet->computerClaim <= 0.0 || planet->playerClaim <= 0.0;
        if (glm::length(ship.position - planet->position) >= g.captureRadius) {
            continue;
        }
        const Side ownerBefore = planet->owner;
        const bool wasEstablished = isEstablished(*planet);
        addClaim(*planet, ship.isPlayer, g.frameDelta);
        settleOwner(*planet);
        if (planet->owner != ownerBefore) {
            recordEvent(EventKind::PlanetClaimed, planet->position, planet->owner);
        }
        recordClaimAgainst(*planet, ship.isPlayer ? Side::Player : Side::Computer, ownerBefore,
                           wasEstablished);
        if (planet->owner != ownerBefore && fresh) {
            rewardCapture(*planet);
        }
    }
}
