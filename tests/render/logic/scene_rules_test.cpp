// The rules the scene passes draw by, checked without drawing: tints,
// route beads and layer bands. The picture test sees the bolts' order.
#include <cmath>
#include <memory>

#include <gtest/gtest.h>

#include "math/camera.h"
#include "render/overlay_pass.h"
#include "render/pass_support.h"
#include "render/planet_pass.h"
#include "render/render_state.h"
#include "render/scene_objects.h"
#include "render/ship_pass.h"

namespace {

class SceneRulesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TearDown();
        camera().eye = {0.0f, 0.0f, 0.0f};
        camera().target = {0.0f, 0.0f, -10.0f};
        updateCameraBasis();
    }
    void TearDown() override {
        resetGalaxy();
        resetRenderState();
        initCamera();
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

// Near planets the player does not own: within the capture radius (2), in 3D.
TEST_F(SceneRulesTest, PlayerShipsAreTintedNearPlanetsThePlayerDoesNotOwn) {
    own(addPlanet({0.0f, 0.0f, 0.0f}), Side::Computer);
    addPlanet({-4.0f, 0.0f, 4.0f});
    own(addPlanet({20.0f, 0.0f, 0.0f}), Side::Player);
    const std::pair<Vec3, bool> cases[] = {
        {{2.0f, 0.0f, 0.0f}, true},   {{2.01f, 0.0f, 0.0f}, false}, {{1.5f, 0.0f, 1.5f}, false},
        {{0.0f, -1.9f, 0.0f}, true},  {{0.0f, 2.1f, 0.0f}, false},  {{-2.1f, 0.0f, 4.5f}, true},
        {{20.0f, 0.0f, 0.0f}, false}, {{NAN, 0.0f, 0.0f}, false}};
    const ForeignPlanets foreign(galaxy());
    for (const auto& [point, near] : cases) {
        EXPECT_EQ(foreign.isNear(point), near) << point.x << " " << point.y << " " << point.z;
    }
    for (int i = 0; i < 47 * 47; ++i) { // across cell edges, as a full scan finds
        const Vec3 p = 0.3f * Vec3{i % 47, 0, i / 47} - Vec3{7.0f, -0.5f, 7.0f};
        const bool scan =
            glm::length(p) <= 2.0f || glm::length(Vec3{-4.0f, 0.0f, 4.0f} - p) <= 2.0f;
        EXPECT_EQ(foreign.isNear(p), scan) << p.x << " " << p.z;
    }
    EXPECT_EQ(playerShipMaterial(addShip(true, {1.0f, 0.0f, 0.0f}), foreign).diffuseColor,
              ShipMaterial::atForeignPlanet().diffuseColor);
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

    // Bead 3 shows the progress; from bead 15 on the colour tells the distance.
    const std::pair<int, Vec4> beads[] = {{2, PlanetTint::player().diffuseColor},
                                          {3, MarkerColor::Progress},
                                          {14, PlanetTint::player().diffuseColor},
                                          {15, MarkerColor::Near},
                                          {21, MarkerColor::Middle},
                                          {26, MarkerColor::Far},
                                          {31, MarkerColor::TooFar}};
    for (const auto& [k, colour] : beads)
        EXPECT_EQ(markerColor(from, k), colour) << "bead " << k;

    // A route to a planet of another side pays nothing; two planets feeding
    // each other have no route at all, whatever else.
    to.owner = Side::Computer;
    EXPECT_EQ(markerColor(from, 20), MarkerColor::Unpaid);
    to.routeTarget = &from;
    EXPECT_EQ(markerColor(from, 3), MarkerColor::NoRoute);
}

// A planet of radius 1 is drawn with a coarser sphere the smaller it looks;
// wireframes always show the full sphere, so their lines hold still.
TEST_F(SceneRulesTest, PlanetSpheresFollowTheirSizeOnScreenExceptInWireframe) {
    renderState().windowHeight = 1000;
    const std::pair<float, int> cases[] = {{1000.0f, MeshKind::MarkerSphere},
                                           {120.0f, MeshKind::MoonSphere},
                                           {5.0f, MeshKind::PlanetSphere}};
    for (const auto& [distance, kind] : cases) {
        renderState().settings.wireframe = false;
        EXPECT_EQ(planetSphereKind(1.0f, distance), kind) << distance;
        renderState().settings.wireframe = true;
        EXPECT_EQ(planetSphereKind(1.0f, distance), MeshKind::PlanetSphere) << distance;
    }
}

TEST_F(SceneRulesTest, ShipsAreFilteredByTheHeightBandOfTheShownLayer) {
    Ship& player = addShip(true, {0.0f, 9.0f, -10.0f});
    Ship& computer = addShip(false, {0.0f, -1.0f, -10.0f});
    renderState().layerFilter = 0;
    EXPECT_TRUE(isHullShown(player) && isHullShown(computer));
    player.position.y = 9.5f;
    computer.position.y = -1.01f;
    EXPECT_FALSE(isHullShown(player) || isHullShown(computer));

    // A selected player ship keeps its hull in any layer, not its turret or icon.
    player.selected = true;
    EXPECT_TRUE(isHullShown(player));
    EXPECT_FALSE(isTurretShown(player));
    player.position.z = -80.0f;
    EXPECT_FALSE(isIconShown(player));
    computer.selected = true;
    EXPECT_FALSE(isHullShown(computer));

    renderState().layerFilter = 2;
    player.position = {0.0f, 15.0f, -10.0f};
    EXPECT_TRUE(isTurretShown(player));
    renderState().layerFilter = kAllLayers;
    player.position.y = -50.0f;
    EXPECT_TRUE(isTurretShown(player));
}

} // namespace
