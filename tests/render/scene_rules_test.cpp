// The rules the scene passes draw by, checked without drawing: tints and
// route beads, ship colours and culling, icons and claim bars, the flare's
// layout, laser order and orientation, the sun's orbit and the backdrop's
// placement.
#include <cmath>
#include <memory>

#include <gtest/gtest.h>

#include "math/camera.h"
#include "render/laser_pass.h"
#include "render/overlay_pass.h"
#include "render/pass_support.h"
#include "render/planet_pass.h"
#include "render/render_settings.h"
#include "render/scene_objects.h"
#include "render/ship_pass.h"
#include "render/sky_pass.h"
#include "render/sun_pass.h"

namespace {

class SceneRulesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetGalaxy();
        resetRenderState();
        initCamera();
        camera().eye = {0.0f, 0.0f, 0.0f};
        camera().target = {0.0f, 0.0f, -10.0f};
        updateCameraBasis();
    }
    void TearDown() override {
        resetGalaxy();
        resetRenderState();
        initCamera();
        setSunPosition(kSunStartPosition);
    }

    static Planet& addPlanet(const Vec3& position, float radius = 1.0f) {
        galaxy().planets.push_back(std::make_unique<Planet>(radius, 0.0f, position, 1));
        return *galaxy().planets.back();
    }
    static Ship& addShip(bool isPlayer, const Vec3& position) {
        auto ship = std::make_shared<Ship>(isPlayer, position, 1.0f);
        shipsOfSide(isPlayer).push_back(ship);
        return *ship;
    }
    static void own(Planet& planet, Side side) {
        planet.owner = side;
        (side == Side::Player ? planet.playerClaim : planet.computerClaim) = 100.0;
    }
};

TEST_F(SceneRulesTest, PlanetTintsFollowSelectionRallyPointsAndFullClaims) {
    Planet& home = addPlanet({0.0f, 0.0f, 0.0f});
    Planet& other = addPlanet({10.0f, 0.0f, 0.0f});
    Planet& target = addPlanet({20.0f, 0.0f, 0.0f}, 2.0f);

    home.playerClaim = 99.0; // exactly 99 is a full claim
    tintPlanet(home, galaxy());
    EXPECT_EQ(home.model.material.diffuseColor, PlanetTint::player().diffuseColor);
    other.computerClaim = 99.0;
    other.playerClaim = 98.9;
    tintPlanet(other, galaxy());
    EXPECT_EQ(other.model.material.diffuseColor, PlanetTint::computer().diffuseColor);
    tintPlanet(target, galaxy());
    EXPECT_EQ(target.model.material.diffuseColor, PlanetTint::neutral().diffuseColor);

    // Two selected planets rallying within 1.2 radii of the third both mark it.
    home.selected = true;
    other.selected = true;
    home.rallyPoint = target.position + Vec3{0.0f, 0.0f, 2.4f};
    other.rallyPoint = target.position - Vec3{0.0f, 2.0f, 0.0f};
    tintPlanet(target, galaxy());
    EXPECT_EQ(target.model.material.diffuseColor, PlanetTint::rallyTarget().diffuseColor);
    home.rallyPoint = target.position + Vec3{0.0f, 0.0f, 2.41f};
    other.selected = false;
    EXPECT_FALSE(isRallyTarget(target, galaxy()));

    // A selected planet at another selected planet's rally point shows selected.
    other.selected = true;
    other.rallyPoint = home.position;
    tintPlanet(home, galaxy());
    EXPECT_EQ(home.model.material.diffuseColor, PlanetTint::selected().diffuseColor);
}

TEST_F(SceneRulesTest, RouteBeadsAreColouredByDistanceProgressAndPay) {
    Planet& from = addPlanet({0.0f, 0.0f, 0.0f});
    Planet& to = addPlanet({40.0f, 0.0f, 0.0f});
    own(from, Side::Player);
    own(to, Side::Player);
    tintPlanet(from, galaxy());
    from.routeTarget = &to;
    from.rallyPoint = {0.0f, 0.0f, 32.5f};
    from.productionProgress = 3;
    ASSERT_EQ(markerCount(from), 32);

    const Vec4 own = PlanetTint::player().diffuseColor;
    for (int k = 0; k < 32; ++k) {
        Vec4 expected = own;
        if (k == 3) {
            expected = MarkerColor::Progress;
        } else if (k >= 31) {
            expected = MarkerColor::TooFar;
        } else if (k >= 26) {
            expected = MarkerColor::Far;
        } else if (k >= 21) {
            expected = MarkerColor::Middle;
        } else if (k >= 15) {
            expected = MarkerColor::Near;
        }
        EXPECT_EQ(markerColor(from, k), expected) << "bead " << k;
    }

    // A route to a planet of another side pays nothing; so does one from a
    // planet that is not yet established.
    to.owner = Side::Computer;
    EXPECT_EQ(markerColor(from, 3), MarkerColor::Unpaid);
    EXPECT_EQ(markerColor(from, 20), MarkerColor::Unpaid);
    to.owner = Side::Player;
    from.playerClaim = 50.0;
    EXPECT_EQ(markerColor(from, 0), MarkerColor::Unpaid);

    // No route, or two planets feeding each other: dark red, whatever else.
    to.routeTarget = &from;
    EXPECT_EQ(markerColor(from, 3), MarkerColor::NoRoute);
    from.routeTarget = &from;
    EXPECT_EQ(markerColor(from, 10), MarkerColor::NoRoute);

    from.rallyPoint = {0.0f, 0.0f, 0.99f};
    EXPECT_EQ(markerCount(from), 0);
}

TEST_F(SceneRulesTest, PlanetsArePlacedAndSizedAroundTheirSpin) {
    Planet& planet = addPlanet({4.0f, 8.0f, -2.0f}, 1.5f);
    planet.model.modelMatrix = glm::rotate(Mat4{1.0f}, 1.0f, Vec3{0.0f, 1.0f, 0.0f});
    const Mat4 model = planetModelMatrix(planet);
    EXPECT_EQ(Vec3(model * Vec4(0.0f, 0.0f, 0.0f, 1.0f)), planet.position);
    const Vec3 pole = Vec3{model * Vec4{0.0f, 1.0f, 0.0f, 1.0f}} - planet.position;
    EXPECT_NEAR(pole.y, 1.5f, 1e-5f);
    const Vec3 equator = Vec3{model * Vec4{1.0f, 0.0f, 0.0f, 0.0f}};
    EXPECT_NEAR(glm::length(equator), 1.5f, 1e-5f);
    EXPECT_NEAR(equator.x, 1.5f * std::cos(1.0f), 1e-5f);
}

TEST_F(SceneRulesTest, OnlyPlanetsAFewPixelsAcrossUseTheCoarseSphere) {
    // 1000 pixels high and 40 degrees tall: one unit at 98 units is 28 pixels.
    EXPECT_FALSE(usesCoarseSphere(1.0f, 90.0f));
    EXPECT_TRUE(usesCoarseSphere(1.0f, 110.0f));
    EXPECT_FALSE(usesCoarseSphere(1.5f, 140.0f));
    windowHeight = 500;
    EXPECT_TRUE(usesCoarseSphere(1.0f, 90.0f));
}

TEST_F(SceneRulesTest, PlayerShipsWearTheColourOfWhatTheyAreDoing) {
    Planet& mine = addPlanet({0.0f, 0.0f, -20.0f});
    own(mine, Side::Player);
    addPlanet({0.0f, 0.0f, -40.0f}); // neutral
    Ship& ship = addShip(true, {0.0f, 0.0f, -38.0f});
    EXPECT_EQ(playerShipMaterial(ship, galaxy()).diffuseColor,
              ShipMaterial::atForeignPlanet().diffuseColor);
    ship.selected = true;
    EXPECT_EQ(playerShipMaterial(ship, galaxy()).diffuseColor,
              ShipMaterial::selected().diffuseColor);
    ship.selected = false;
    ship.position = {0.0f, 0.0f, -37.9f}; // just beyond 2.0
    EXPECT_EQ(playerShipMaterial(ship, galaxy()).diffuseColor, ShipMaterial::idle().diffuseColor);
    ship.position = {0.0f, 1.0f, -21.0f}; // at its own planet
    EXPECT_EQ(playerShipMaterial(ship, galaxy()).diffuseColor, ShipMaterial::idle().diffuseColor);
}

TEST_F(SceneRulesTest, HullsTurretsAndIconsShareTheViewByDistance) {
    Ship& ship = addShip(true, {0.0f, 0.0f, -25.0f});
    EXPECT_EQ(hullMeshKind(distanceFromEye(ship.position)), MeshKind::HullHigh);
    ship.position.z = -25.01f;
    EXPECT_EQ(hullMeshKind(distanceFromEye(ship.position)), MeshKind::HullLow);

    ship.position.z = -75.0f;
    EXPECT_TRUE(isHullShown(ship));
    EXPECT_TRUE(isTurretShown(ship));
    EXPECT_FALSE(isIconShown(ship));
    ship.position.z = -75.01f;
    EXPECT_FALSE(isHullShown(ship));
    EXPECT_FALSE(isTurretShown(ship));
    EXPECT_TRUE(isIconShown(ship));

    ship.visible = false; // out of view: nothing at all, however far
    EXPECT_FALSE(isIconShown(ship));
    ship.position.z = -10.0f;
    EXPECT_FALSE(isHullShown(ship));
}

TEST_F(SceneRulesTest, ShipsAreFilteredByTheHeightBandOfTheShownLayer) {
    Ship& player = addShip(true, {0.0f, 9.0f, -10.0f});
    Ship& computer = addShip(false, {0.0f, -1.0f, -10.0f});
    layerFilter = 0;
    EXPECT_TRUE(isHullShown(player));
    EXPECT_TRUE(isHullShown(computer));
    player.position.y = 9.5f;
    computer.position.y = -1.01f;
    EXPECT_FALSE(isHullShown(player));
    EXPECT_FALSE(isHullShown(computer));

    // A selected player ship keeps its hull in any layer, not its turret or icon.
    player.selected = true;
    EXPECT_TRUE(isHullShown(player));
    EXPECT_FALSE(isTurretShown(player));
    player.position.z = -80.0f;
    EXPECT_FALSE(isIconShown(player));
    computer.selected = true;
    EXPECT_FALSE(isHullShown(computer));

    layerFilter = 2;
    player.position = {0.0f, 15.0f, -10.0f};
    EXPECT_TRUE(isTurretShown(player));
    layerFilter = kAllLayers;
    player.position.y = -50.0f;
    EXPECT_TRUE(isTurretShown(player));
}

TEST_F(SceneRulesTest, OnlyPlanetsStillFoughtOverAreContested) {
    Planet& planet = addPlanet({0.0f, 0.0f, 0.0f});
    EXPECT_FALSE(isContested(planet));
    planet.playerClaim = 0.5;
    EXPECT_TRUE(isContested(planet));
    planet.computerClaim = 98.9;
    EXPECT_TRUE(isContested(planet));
    planet.computerClaim = 99.0;
    EXPECT_FALSE(isContested(planet));
    planet.computerClaim = 0.0;
    planet.playerClaim = 99.0;
    EXPECT_FALSE(isContested(planet));
}

TEST_F(SceneRulesTest, LensFlareNeedsTheSunWellAhead) {
    const Vec3 eye{0.0f, 0.0f, 0.0f};
    const Vec3 target{0.0f, 0.0f, -1.0f};
    EXPECT_TRUE(layOutLensFlare(eye, target, {0.0f, 0.0f, 100.0f}).empty()); // behind
    EXPECT_TRUE(layOutLensFlare(eye, target, {1.0f, 0.0f, -8.0f}).empty());
    EXPECT_EQ(layOutLensFlare(eye, target, {1.0f, 0.0f, -9.0f}).size(), 14u);

    // Looking straight into the sun, every sprite sits on it.
    const Vec3 sun{0.0f, 0.0f, -180.0f};
    const auto straight = layOutLensFlare(eye, target, sun);
    ASSERT_EQ(straight.size(), 14u);
    for (const FlareSprite& sprite : straight) {
        EXPECT_NEAR(glm::length(sprite.position - sun), 0.0f, 1e-3f);
    }
    // At 180 units ahead the ordinary sprites reach full strength, unclamped
    // beyond; the first is the fixed lens star.
    EXPECT_EQ(straight[0].sprite, 14);
    EXPECT_FLOAT_EQ(straight[0].scale, 30.0f);
    EXPECT_FLOAT_EQ(straight[1].color.a, 1.0f);
    EXPECT_FLOAT_EQ(straight[1].scale, 6.0f);
    EXPECT_FLOAT_EQ(straight[10].color.a, 180.0f / 105.0f);
}

TEST_F(SceneRulesTest, LensFlareRunsFromTheSunToTheCentreOfTheView) {
    const Vec3 eye{0.0f, 0.0f, 0.0f};
    const Vec3 sun{60.0f, 0.0f, -80.0f}; // 100 away, 80 ahead
    const auto sprites = layOutLensFlare(eye, {0.0f, 0.0f, -1.0f}, sun);
    ASSERT_EQ(sprites.size(), 14u);
    const Vec3 centre{0.0f, 0.0f, -100.0f};
    EXPECT_NEAR(glm::length(sprites[12].position - centre), 0.0f, 1e-3f); // f = 1
    EXPECT_NEAR(glm::length(sprites[1].position - (sun + (centre - sun) * 0.1f)), 0.0f, 1e-3f);
    EXPECT_FLOAT_EQ(sprites[8].scale, 80.0f / 15.0f);
    EXPECT_FLOAT_EQ(sprites[8].color.a, 80.0f / 180.0f);
}

TEST_F(SceneRulesTest, LasersOfBothSidesAreDrawnFarthestFirst) {
    Ship& player = addShip(true, {0.0f, 0.0f, -5.0f});
    Ship& computer = addShip(false, {0.0f, 0.0f, -50.0f});
    for (float z : {-3.0f, -30.0f}) {
        LaserShot shot;
        shot.position = {0.0f, 0.0f, z};
        player.lasers.push_back(shot);
    }
    for (float z : {-10.0f, -40.0f}) {
        LaserShot shot;
        shot.position = {1.0f, 0.0f, z};
        shot.fromComputer = true;
        computer.lasers.push_back(shot);
    }
    const auto order = lasersBackToFront(galaxy());
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order[0], &computer.lasers[1]);
    EXPECT_EQ(order[1], &player.lasers[1]);
    EXPECT_EQ(order[2], &computer.lasers[0]);
    EXPECT_EQ(order[3], &player.lasers[0]);
    galaxy().playerShips.clear();
    galaxy().computerShips.clear();
    EXPECT_TRUE(lasersBackToFront(galaxy()).empty());
}

TEST_F(SceneRulesTest, LaserQuadsCrossAlongTheFlightLine) {
    LaserShot shot;
    shot.position = {1.0f, 2.0f, 3.0f};
    shot.targetPoint = {4.0f, 6.0f, -9.0f};
    const Vec3 flight = glm::normalize(shot.targetPoint - shot.position);
    for (const Mat4& quad : {firstLaserQuad(shot), secondLaserQuad(shot)}) {
        EXPECT_NEAR(glm::length(Vec3{quad[3]} - shot.position), 0.0f, 1e-5f);
        const Vec3 along = Vec3{quad * Vec4{1.0f, 0.0f, 0.0f, 0.0f}};
        EXPECT_NEAR(glm::length(along), 0.25f, 1e-5f);
        EXPECT_NEAR(glm::dot(glm::normalize(along), flight), 1.0f, 1e-4f);
    }
    // The flat quad spans x and z; the two sheets stand at right angles.
    const Vec3 firstNormal = glm::normalize(Vec3{firstLaserQuad(shot)[1]});
    const Vec3 secondNormal = glm::normalize(Vec3{secondLaserQuad(shot)[1]});
    EXPECT_NEAR(glm::dot(firstNormal, secondNormal), 0.0f, 1e-4f);
}

TEST_F(SceneRulesTest, SunCirclesTheVerticalAxisAtATenthOfPiDegreesASecond) {
    setSunPosition(kSunStartPosition);
    orbitSun(0.0);
    EXPECT_EQ(sunPosition(), kSunStartPosition);
    orbitSun(10.0 * 90.0 / 3.1415927); // a quarter turn
    const Vec3 turned = sunPosition();
    EXPECT_NEAR(turned.y, 60.0f, 1e-3f);
    EXPECT_NEAR(turned.x, 180.0f, 0.05f);
    EXPECT_NEAR(turned.z, -180.0f, 0.05f);
}

TEST_F(SceneRulesTest, BackdropSitsAtTheShownLayer) {
    createSceneObjects();
    const Mat4 sky = skyMatrix();
    EXPECT_EQ(sky, Mat4(Vec4{1000.0f, 0.0f, 0.0f, 0.0f}, Vec4{0.0f, 1000.0f, 0.0f, 0.0f},
                        Vec4{0.0f, 0.0f, 1000.0f, 0.0f}, Vec4{0.0f, 0.0f, 0.0f, 0.2f}));

    const Vec4 origin{0.0f, 0.0f, 0.0f, 1.0f};
    for (int grid : {0, 1}) {
        layerFilter = kAllLayers;
        EXPECT_NEAR((layerGridMatrix(grid) * origin).y, 0.0f, 1e-4f);
        layerFilter = 2;
        EXPECT_NEAR((layerGridMatrix(grid) * origin).y, 16.0f, 1e-4f);
        // Both lie flat: their corners stay at the layer's height.
        EXPECT_NEAR((layerGridMatrix(grid) * Vec4{50.0f, 50.0f, 0.0f, 1.0f}).y, 16.0f, 1e-4f);
    }
    EXPECT_NEAR((orderPlaneMatrix(0.0f) * origin).y, -0.5f, 1e-4f);
    EXPECT_NEAR((orderPlaneMatrix(8.0f) * Vec4{50.0f, -50.0f, 0.0f, 1.0f}).y, 7.5f, 1e-4f);
}

} // namespace
