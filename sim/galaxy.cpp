#include "sim/galaxy.h"

#include "sim/clock.h"

namespace {
int nextPlanetId = 0;
int nextShipId = 0;
int nextMoonId = 0;
} // namespace

Planet::Planet(float radius, float spinSpeed, Vec3 position, int kind)
    : spinSpeed(spinSpeed), id(nextPlanetId++), position(position), rallyPoint(position),
      captureSpawnCredit(6.0 * radius), routeTarget(this), radius(radius) {
    model.meshKind = MeshKind::PlanetSphere;
    model.textureKey = kind;
}

DevelopmentState developmentState(const Planet& planet) {
    if (planet.playerClaim >= 99.0 || planet.computerClaim >= 99.0) {
        return DevelopmentState::Established;
    }
    if (planet.playerClaim != 0.0 || planet.computerClaim != 0.0) {
        return DevelopmentState::Contested;
    }
    return DevelopmentState::Unclaimed;
}

Ship::Ship(bool isPlayer, Vec3 spawnPoint, float planetRadius)
    : id(nextShipId++), health(isPlayer ? kPlayerShipHealth : kComputerShipHealth),
      isPlayer(isPlayer), position(spawnPoint), spawnPosition(spawnPoint),
      lastShotTime(currentTime()),
      iconTextureKey(isPlayer ? TextureKey::IconPlayer : TextureKey::IconComputer),
      speed(5.0f - planetRadius) {
    const Mat4 hullScale = glm::scale(Mat4{1.0f}, Vec3{radius * 0.006f});
    hullModel[0].meshKind = MeshKind::HullHigh;
    hullModel[0].textureKey = TextureKey::ShipHull;
    hullModel[0].modelMatrix = hullScale;
    hullModel[1].meshKind = MeshKind::HullLow;
    turretModel.meshKind = MeshKind::Turret;
    turretModel.textureKey = TextureKey::ShipHull;
    turretModel.modelMatrix = hullScale;
}

Galaxy& galaxy() {
    static Galaxy instance;
    return instance;
}

void resetGalaxy() {
    galaxy() = Galaxy{};
    nextPlanetId = 0;
    nextShipId = 0;
    nextMoonId = 0;
}

int newMoonId() {
    return nextMoonId++;
}

ShipList& shipsOfSide(bool isPlayer) {
    return isPlayer ? galaxy().playerShips : galaxy().computerShips;
}
