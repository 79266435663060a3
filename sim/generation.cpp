#include "sim/generation.h"

#include <algorithm>
#include <cstdint>
#include <ctime>

#include "math/degrees.h"
#include "sim/random.h"
#include "sim/waypoints.h"

namespace {

constexpr int kGridHalfExtent = 5;
constexpr int kGridStep = 5;
constexpr int kKeepThreshold = 80;
constexpr int kFirstMoonThreshold = 60;
constexpr int kSecondMoonThreshold = 80;
constexpr double kStartingClaim = 100.0;
constexpr int kStartingShips = 5;
constexpr float kSpawnClearance = 1.5f;
constexpr float kSpawnBlockDistance = 0.5f;
constexpr int kSpawnAttempts = 3;

int draw(int n) {
    return randomDraw() % n;
}

// Moon speeds are whole degrees: 50 to 56 per second.
float drawMoonSpeed() {
    return static_cast<float>((draw(60) + 1) / 10 - 30 + 80);
}

Moon makeMoon(int textureKey, float orbitDistance, Vec3 axis, float speed, int layer) {
    Moon moon;
    moon.id = newMoonId();
    moon.layer = layer;
    moon.orbitDistance = orbitDistance;
    moon.orbitSpeed = speed;
    moon.orbitOffset = Vec4{orbitDistance, 0.0f, 0.0f, 1.0f};
    moon.orbitAxis = axis;
    moon.model.meshKind = MeshKind::MoonSphere;
    moon.model.textureKey = textureKey;
    moon.model.modelMatrix = glm::scale(Mat4{1.0f}, Vec3{0.2f});
    return moon;
}

void addFirstMoon(Planet& planet, int layer) {
    draw(5);
    draw(25);
    const float speed = drawMoonSpeed();
    const bool reversed = draw(2) + 1 == 2;
    planet.moons.push_back(makeMoon(TextureKey::MoonFirst, 1.3f, Vec3{0.0f, 1.0f, 0.0f},
                                    reversed ? -speed : speed, layer));
}

void addSecondMoon(Planet& planet, int layer) {
    draw(5);
    draw(25);
    const float speed = drawMoonSpeed();
    planet.moons.push_back(
        makeMoon(TextureKey::MoonSecond, 2.0f, Vec3{0.0f, 0.7f, 0.3f}, speed, layer));
}

// One trial planet of grid cell (u, v) in layer L, drawn in the fixed order.
std::unique_ptr<Planet> buildTrialPlanet(int layer, int u, int v, int& roll) {
    const int a = ((draw(20) + layer + 1) / 10) * (layer + 1);
    const float b = static_cast<float>((draw(20) + 1) / 10) + layerFloor(layer);
    const int c = ((draw(20) + layer + 1) / 10) * (layer + 1);
    const int k = draw(10);
    float radius = static_cast<float>((k + 1) - 5) / 10.0f + 1.0f;
    roll = draw(100) + 1;
    const int kind = draw(6) + 1;

    const Vec3 position{static_cast<float>(2 * u + a), b, static_cast<float>(2 * v + c)};
    if (kind == 5 || kind == 6) {
        radius = std::max(0.8f, radius / 2.0f);
    }
    auto planet = std::make_unique<Planet>(radius, 5.0f, position, kind);
    planet->layer = layer;
    if (kind == 4) {
        planet->nightTextureKey = TextureKey::PlanetNight;
    }
    planet->spinSpeed *= static_cast<float>(draw(5) + 1);
    return planet;
}

void claimHome(Planet& planet, Side side) {
    planet.owner = side;
    if (side == Side::Player) {
        planet.playerClaim = kStartingClaim;
    } else {
        planet.computerClaim = kStartingClaim;
    }
    for (int i = 0; i < kStartingShips; ++i) {
        spawnShip(planet);
    }
}

bool isSpawnPointBlocked(Vec3 point) {
    const auto blocks = [point](const ShipList& ships) {
        return std::any_of(ships.begin(), ships.end(), [point](const ShipRef& ship) {
            const Vec3 d = ship->position - point;
            return std::abs(d.x) < kSpawnClearance && std::abs(d.z) < kSpawnClearance &&
                   glm::length(d) < kSpawnBlockDistance;
        });
    };
    return blocks(galaxy().playerShips) || blocks(galaxy().computerShips);
}

// Turns a blocked spawn point around the planet to a fresh spot.
Vec3 nextSpawnPoint(const Planet& planet, Vec3 point) {
    const float angle = static_cast<float>((draw(20) + 1) * 15);
    Vec3 axis{0.0f, 1.0f, 0.0f};
    if (planet.owner == Side::Player) {
        axis.x = static_cast<float>((draw(30) + 1) / 10.0);
        axis.y = static_cast<float>((draw(30) + 1) / 10.0);
        axis.z = static_cast<float>((draw(30) + 1) / 10.0);
    }
    const Mat4 rotation = rotateDegrees(Mat4{1.0f}, angle, axis);
    const Vec3 offset = Vec3{rotation * Vec4{point - planet.position, 0.0f}};
    return planet.position + offset + Vec3{0.3f, 0.0f, 0.3f};
}

void createShip(Planet& planet, Vec3 point) {
    const bool isPlayer = planet.owner == Side::Player;
    auto ship = std::make_shared<Ship>(isPlayer, point, planet.radius);
    if (isPlayer) {
        pushWaypointFront(*ship, spawnDestination(planet), Waypoint::Destination);
    } else {
        Material& material = ship->hullModel[0].material;
        material.ambientColor = Vec4{1.0f, 1.0f, 1.0f, 1.0f};
        material.diffuseColor = Vec4{1.0f, 0.0f, 0.0f, 1.0f};
        material.specularColor = Vec4{1.0f, 1.0f, 1.0f, 1.0f};
        material.specularExponent = 0.5f;
    }
    shipsOfSide(isPlayer).push_back(std::move(ship));
}

} // namespace

void generateGalaxy() {
    std::srand(static_cast<unsigned>(static_cast<std::uint32_t>(std::time(nullptr))));
    buildGalaxy();
}

void buildGalaxy() {
    Galaxy& g = galaxy();
    g.playerDefeated = false;
    g.playerVictorious = false;
    g.aimPoint = Vec3{0.0f};
    g.frameDelta = 0.0;
    g.elapsedTime = 0.0;

    const Planet* homeTrial = nullptr;
    Planet* lastRetained = nullptr;
    for (int layer = 0; layer < kPlanetLayers; ++layer) {
        for (int u = -kGridHalfExtent * kGridStep; u <= kGridHalfExtent * kGridStep;
             u += kGridStep) {
            for (int v = -kGridHalfExtent * kGridStep; v <= kGridHalfExtent * kGridStep;
                 v += kGridStep) {
                int roll = 0;
                std::unique_ptr<Planet> planet = buildTrialPlanet(layer, u, v, roll);
                const bool isHomeTrial = homeTrial == nullptr;
                if (isHomeTrial) {
                    homeTrial = planet.get();
                }
                if (roll < kKeepThreshold && !isHomeTrial) {
                    continue; // discarded; its id stays used
                }
                lastRetained = planet.get();
                if (roll > kFirstMoonThreshold) {
                    addFirstMoon(*planet, layer);
                }
                if (roll > kSecondMoonThreshold) {
                    addSecondMoon(*planet, layer);
                }
                g.planets.push_back(std::move(planet));
            }
        }
    }
    claimHome(*g.planets.front(), Side::Player);
    claimHome(*lastRetained, Side::Computer);
}

void spawnShip(Planet& planet) {
    if (!isEstablished(planet) || planet.owner == Side::Neutral) {
        return;
    }
    if (shipsOfSide(planet.owner == Side::Player).size() >= kShipListLimit) {
        return;
    }
    Vec3 point = planet.position + planet.spawnOffset;
    for (int attempt = 0; attempt < kSpawnAttempts; ++attempt) {
        if (glm::length(point - planet.position) < kSpawnClearance) {
            return;
        }
        if (!isSpawnPointBlocked(point)) {
            createShip(planet, point);
            return;
        }
        point = nextSpawnPoint(planet, point);
    }
}

Vec3 spawnDestination(const Planet& planet) {
    Vec3 destination = planet.rallyPoint;
    std::vector<const Planet*> visited{&planet};
    const Planet* current = &planet;
    while (true) {
        current = current->routeTarget;
        visited.push_back(current);
        if (std::find(visited.begin(), visited.end(), current->routeTarget) != visited.end()) {
            return destination;
        }
        destination = current->rallyPoint;
    }
}
