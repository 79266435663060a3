// Alerts from the simulation's own events: a siege told once per place every
// ten seconds, Space jumping the camera to the latest, and the words that say
// where an alert off screen lies.
#include "app/alerts.h"

#include "input_fixture.h"
#include "render/render_state.h"
#include "sim/capture.h"

namespace {

class AlertsTest : public InputTest {
  protected:
    void SetUp() override {
        InputTest::SetUp();
        gameAlerts().reset();
        clearEvents();
    }
    void TearDown() override {
        gameAlerts().reset();
        clearEvents();
        InputTest::TearDown();
    }

    // A computer ship claims at the planet for `seconds`; the alerts told.
    std::vector<Alert> siege(Planet& planet, double seconds) {
        const ShipRef attacker = addShip(false, planet.position + Vec3{1.0f, 0.0f, 0.0f});
        std::vector<Alert> told;
        galaxy().frameDelta = 1.0 / 30.0;
        for (int frame = 0; frame <= static_cast<int>(seconds * 30.0); ++frame) {
            claimNearbyPlanets(*attacker);
            for (const Alert& alert : gameAlerts().take(frameEvents(), frame / 30.0)) {
                told.push_back(alert);
            }
            clearEvents();
        }
        return told;
    }
};

TEST_F(AlertsTest, ASiegeIsToldOncePerPlaceEveryTenSecondsAndSpaceJumpsToIt) {
    const Vec3 home{60.0f, 0.0f, 60.0f};
    Planet& planet = addPlanet(Side::Player, home);
    const std::vector<Alert> first = siege(planet, 0.0);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].kind, AlertKind::PlanetUnderAttack);
    EXPECT_EQ(first[0].position, home);

    output();
    tap(Key::Space);
    EXPECT_EQ(camera().target, home);
    EXPECT_NE(output().find("Jump to60/0/60"), std::string::npos);

    // The planet falls below developed within its first quiet time; that
    // weightier alert waits for it to end, then the attack is told again.
    gameAlerts().reset();
    const std::vector<Alert> told = siege(planet, 60.0);
    const AlertKind attack = AlertKind::PlanetUnderAttack;
    const std::vector<AlertKind> expected{
        attack, AlertKind::PlanetLost, attack, attack, attack, attack, attack};
    ASSERT_EQ(told.size(), expected.size());
    for (std::size_t i = 0; i < told.size(); ++i) {
        EXPECT_EQ(told[i].kind, expected[i]) << i;
        EXPECT_NEAR(told[i].time, 10.0 * static_cast<double>(i), 0.05) << i;
    }
    EXPECT_EQ(planet.owner, Side::Player); // 60 s of one ship do not take it
}

TEST_F(AlertsTest, OnlyThePlayersLossesAlertAndSpaceWithoutOneDoesNothing) {
    const Vec3 far{-50.0f, 0.0f, 40.0f};
    const std::vector<GameEvent> events{
        {EventKind::ShipHit, far, Side::Computer},
        {EventKind::ClaimRaised, far, Side::Player},
        {EventKind::PlanetLost, far, Side::Computer},
        {EventKind::LaserFired, far, Side::Computer},
    };
    EXPECT_TRUE(gameAlerts().take(events, 1.0).empty());
    const Vec3 before = camera().target;
    tap(Key::Space);
    EXPECT_EQ(camera().target, before);
    EXPECT_EQ(output(), "");

    // Hits in two places are two alerts; the weightiest of a place is told.
    const std::vector<GameEvent> battle{
        {EventKind::ShipHit, far, Side::Player},
        {EventKind::RammingHit, far + Vec3{3.0f, 0.0f, 0.0f}, Side::Player},
        {EventKind::PlanetLost, far + Vec3{0.0f, 0.0f, 2.0f}, Side::Player},
        {EventKind::ShipHit, -far, Side::Player},
    };
    const std::vector<Alert> told = gameAlerts().take(battle, 2.0);
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[0].kind, AlertKind::PlanetLost);
    EXPECT_EQ(told[1].kind, AlertKind::ShipsUnderFire);
    EXPECT_EQ(gameAlerts().current(2.0 + kAlertShownSeconds).size(), 0u);
    EXPECT_EQ(gameAlerts().current(3.0).size(), 2u);

    // The weightier alert told when the quiet time ends is what the place was
    // told: the same again within its next quiet time is not told once more.
    const GameEvent attack{EventKind::ClaimRaised, -far, Side::Computer};
    EXPECT_TRUE(gameAlerts().take({attack}, 3.0).empty());
    ASSERT_EQ(gameAlerts().take({}, 12.0).size(), 1u);
    EXPECT_TRUE(gameAlerts().take({attack}, 13.0).empty());
    EXPECT_TRUE(gameAlerts().take({}, 22.0).empty());
}

TEST_F(AlertsTest, OffScreenAlertsSayHowFarAndWhichWay) {
    Camera view;
    view.eye = {0.0f, 30.0f, -40.0f};
    view.target = {0.0f, 0.0f, 0.0f}; // looking along +z: -x is to the right
    const Mat4 projection = sceneProjection(1.6f);
    const struct {
        Vec3 at;
        const char* said;
    } cases[] = {
        {{2.0f, 0.0f, 3.0f}, "Ships under fire"},
        {{0.0f, 29.7f, -39.6f}, "Ships under fire"}, // half a unit before the eye
        {{0.0f, 0.0f, -70.0f}, "Ships under fire, 70 units behind"},
        {{-120.0f, 0.0f, 0.0f}, "Ships under fire, 120 units right"},
        {{100.0f, 0.0f, 100.0f}, "Ships under fire, 141 units ahead left"},
        {{-50.0f, 0.0f, -50.0f}, "Ships under fire, 71 units behind right"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(alertMessage({AlertKind::ShipsUnderFire, c.at, 0.0}, view, projection), c.said);
    }
}

} // namespace
