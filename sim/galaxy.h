// The world of one game: planets, their moons, ships, waypoints and laser
// shots, and the process-wide galaxy state that owns them.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "math/types.h"

enum class Side : int { Computer = 0, Neutral = 1, Player = 2 };

enum class DevelopmentState : int { Unclaimed = 0, Contested = 1, Established = 2 };

enum class MoveState : int { Idle = 1, Moving = 2 };

// The planets stand in three layers, 8 units apart: layer L's planets rise
// from its floor at height 8 L, and a ship counts as in the layer from 1
// below that floor up to 9 above it.
constexpr int kPlanetLayers = 3;
constexpr int kLayerSpacing = 8;

constexpr float layerFloor(int layer) {
    return static_cast<float>(kLayerSpacing * layer);
}

constexpr bool isInLayerBand(float height, int layer) {
    const float floor = layerFloor(layer);
    return height >= floor - 1.0f && height <= floor + 9.0f;
}

// Mesh kinds shared with the renderer.
namespace MeshKind {
constexpr int None = 0;
constexpr int PlanetSphere = 2;
constexpr int MoonSphere = 3;
constexpr int HullHigh = 4;
constexpr int HullLow = 5;
constexpr int Turret = 6;
constexpr int LayerGrid = 7;
constexpr int SkySphere = 9;
constexpr int MarkerSphere = 11;
} // namespace MeshKind

// Texture keys shared with the texture manager; 0 means no texture.
namespace TextureKey {
constexpr int None = 0;
constexpr int MoonFirst = 2;
constexpr int MoonSecond = 3;
constexpr int PlanetNight = 15;
constexpr int ShipHull = 20;
constexpr int Laser = 30;
constexpr int IconPlayer = 50;
constexpr int IconComputer = 51;
} // namespace TextureKey

// The thirteen floats of a shader "material" uniform.
struct Material {
    Vec4 ambientColor{1.0f};
    Vec4 diffuseColor{1.0f};
    Vec4 specularColor{1.0f};
    float specularExponent = 0.5f;
};

// The render part of a planet, moon or ship; the simulation only moves it.
struct ModelInstance {
    int meshKind = MeshKind::None;
    int textureKey = TextureKey::None;
    Mat4 modelMatrix{1.0f};
    Material material;
};

struct Waypoint {
    enum Kind : int { Destination = 1, ShipDetour = 2, Nudge = 3, Detour = 5 };
    Vec3 position{0.0f};
    Kind kind = Destination;
};

struct LaserShot {
    int textureKey = TextureKey::Laser;
    Vec3 position{0.0f};
    Vec3 direction{0.0f};
    Vec3 targetPoint{0.0f};
    std::array<Mat4, 2> modelMatrices{Mat4{1.0f}, Mat4{1.0f}};
    float travelled = 0.0f;
    float rangePenalty = 0.0f;
    bool alive = true;
    bool fromComputer = false;
};

struct Moon {
    int id = 0;
    int layer = 0;
    float orbitDistance = 0.0f;
    float orbitSpeed = 0.0f;
    Vec4 orbitOffset{0.0f, 0.0f, 0.0f, 1.0f};
    Vec3 orbitAxis{0.0f, 1.0f, 0.0f};
    ModelInstance model;
    bool visible = true;
};

struct Planet {
    Planet(float radius, float spinSpeed, Vec3 position, int kind);

    std::vector<Moon> moons;
    float spinSpeed;
    int id;
    Vec3 position;
    Vec3 spawnOffset{1.5f, 0.0f, 1.5f};
    Vec3 rallyPoint;
    bool selected = false;
    ModelInstance model;
    int nightTextureKey = TextureKey::None;
    Side owner = Side::Neutral;
    int layer = 0;
    double captureSpawnCredit;
    double spawnTimer = 0.0;
    double playerClaim = 0.0;
    double computerClaim = 0.0;
    double productionTimer = 0.0;
    int productionProgress = 0;
    Planet* routeTarget; // this planet itself when it has no route
    int routeLength = 0;
    int incomingRoutes = 0;
    int outgoingRoutes = 0;
    int shipQueue = 0;
    float radius;
    bool visible = true;

    bool hasRoute() const { return routeTarget != this; }
};

DevelopmentState developmentState(const Planet& planet);
inline bool isEstablished(const Planet& planet) {
    return developmentState(planet) == DevelopmentState::Established;
}

// Health of a new ship of each side.
constexpr double kPlayerShipHealth = 3.0;
constexpr double kComputerShipHealth = 2.0;

struct Ship {
    Ship(bool isPlayer, Vec3 spawnPoint, float planetRadius);

    std::array<ModelInstance, 2> hullModel; // high and low detail
    ModelInstance turretModel;
    Vec3 turretReference{1.0f, 0.0f, 0.0f};
    int id;
    double health;
    int ramDamage = 1;
    bool isPlayer;
    float currentSpeed = 0.0f;
    float bumpCount = 0.0f;
    // Seconds spent within `radius` of stuckAnchor while holding waypoints.
    float stuckSeconds = 0.0f;
    Vec3 stuckAnchor{0.0f};
    std::vector<Waypoint> waypoints;
    std::vector<LaserShot> lasers;
    Vec3 position;
    Vec3 spawnPosition;
    Vec3 hullReference{1.0f, 0.0f, 0.0f};
    Vec3 headingPoint{0.0f};
    Vec3 lastTargetPoint{0.0f};
    double lastShotTime;
    MoveState moveState = MoveState::Idle;
    int iconTextureKey;
    double reloadTime = 3.0;
    double reloadTimer = 3.0;
    double age = 0.0;
    float radius = 0.2f;
    float speed;
    bool selected = false;
    bool visible = true;
};

// Ships are shared: the side's list holds one reference, and anything that
// must remember a ship beyond the current frame (control groups) keeps a
// std::weak_ptr. A ship dropped from its list is freed once nothing else
// holds it strongly, and every weak reference to it then reads as expired,
// so a stale ship can never be followed. Ships spawned while a list is being
// walked are appended to the vector; walks go by index, never by iterator.
using ShipRef = std::shared_ptr<Ship>;
using ShipList = std::vector<ShipRef>;

struct Galaxy {
    std::vector<std::unique_ptr<Planet>> planets; // planets never leave during a game
    ShipList playerShips;
    ShipList computerShips;
    double frameDelta = 0.0;
    double elapsedTime = 0.0;
    // Game seconds per second of the frame clock (sim/game_speed.h).
    double speed = 1.0;
    bool paused = false;
    bool playerDefeated = false;
    bool playerVictorious = false;
    Vec3 aimPoint{0.0f};
    int attackRandomness = 50;
    float captureRadius = 2.0f;
};

constexpr std::size_t kShipListLimit = 400;

// The one galaxy of this process.
Galaxy& galaxy();

// Empties the galaxy and restarts the entity counters; for tests and teardown.
void resetGalaxy();

// Next value of the process-wide moon counter.
int newMoonId();

ShipList& shipsOfSide(bool isPlayer);
