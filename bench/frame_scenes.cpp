#include "bench/frame_scenes.h"

#include <cmath>
#include <cstdlib>
#include <memory>

#include <epoxy/gl.h>

#include "math/camera.h"
#include "render/billboard.h"
#include "render/overview_map.h"
#include "render/overview_map_pass.h"
#include "render/post_processing.h"
#include "render/renderer.h"
#include "render/sun_pass.h"
#include "sim/clock.h"
#include "sim/generation.h"

namespace {

constexpr unsigned kSeed = 2024;
constexpr int kShipsPerSide = 400;
constexpr double kFrame = 1.0 / 60.0;

double clockNow = 100.0;

void lookFrom(const Vec3& eye, const Vec3& target) {
    camera().eye = eye;
    camera().target = target;
    updateCameraBasis();
    camera().viewChanged = true;
}

// A ship as spawning makes it: the computer's hulls are red.
std::shared_ptr<Ship> makeShip(bool isPlayer, const Vec3& at) {
    auto ship = std::make_shared<Ship>(isPlayer, at, 1.0f);
    if (!isPlayer) {
        ship->hullModel[0].material.diffuseColor = Vec4{1.0f, 0.0f, 0.0f, 1.0f};
    }
    return ship;
}

// The same galaxy every run (generateGalaxy would seed from the time), at
// the same moment and with the sun in the same place whatever was drawn
// before.
void newGalaxy() {
    clockNow = 100.0;
    setSunPosition(kSunStartPosition);
    resetGalaxy();
    std::srand(kSeed);
    buildGalaxy();
    buildBalanceBars();
}

} // namespace

double sceneClock() {
    return clockNow;
}

void advanceSceneFrame() {
    galaxy().frameDelta = kFrame;
    galaxy().elapsedTime += kFrame;
    clockNow += kFrame;
}

void emptyView() {
    newGalaxy();
    initCamera();
}

// As the game places the camera after the intro.
void openingView() {
    newGalaxy();
    const Vec3 home = galaxy().planets.front()->position;
    lookFrom({home.x - 20.0f, 12.5f, home.z - 20.0f}, {home.x, 10.0f, home.z});
}

// Two blocks of 20 x 20 ships facing each other in the open between the
// lowest two layers, every ship with two bolts on the way to the enemy.
void battleView() {
    newGalaxy();
    galaxy().playerShips.clear();
    galaxy().computerShips.clear();
    const Vec3 centre{0.0f, 5.0f, 30.0f};
    const int side = 20;
    const float spacing = 1.5f;
    for (int i = 0; i < kShipsPerSide; ++i) {
        const float x = (static_cast<float>(i % side) - side / 2.0f) * spacing;
        const float row = static_cast<float>(i / side) * spacing + 3.0f;
        for (bool isPlayer : {true, false}) {
            const float towardEnemy = isPlayer ? 1.0f : -1.0f;
            const Vec3 at = centre + Vec3{x, 0.0f, -towardEnemy * row};
            auto ship = makeShip(isPlayer, at);
            const Vec3 enemy = centre + Vec3{-x, 0.0f, towardEnemy * row};
            ship->headingPoint = enemy;
            ship->lastTargetPoint = enemy;
            ship->lastShotTime = clockNow;
            ship->selected = isPlayer && i % 7 == 0;
            for (float along : {0.3f, 0.6f}) {
                LaserShot shot;
                shot.position = at + (enemy - at) * along;
                shot.targetPoint = enemy;
                shot.direction = glm::normalize(enemy - at);
                shot.fromComputer = !isPlayer;
                ship->lasers.push_back(shot);
            }
            shipsOfSide(isPlayer).push_back(std::move(ship));
        }
    }
    lookFrom({0.0f, 22.0f, -12.0f}, centre);
}

// From above the home planet toward the sun, a little to its side, so the
// lens flare spreads across the view.
void sunView() {
    openingView();
    const Vec3 eye = galaxy().planets.front()->position + Vec3{0.0f, 30.0f, 0.0f};
    const Vec3 towardSun = glm::normalize(sunPosition() - eye);
    const Vec3 aside = glm::normalize(glm::cross(towardSun, Vec3{0.0f, 1.0f, 0.0f}));
    lookFrom(eye, eye + towardSun * 10.0f + aside * 5.0f);
}

void contestedView() {
    openingView();
    Galaxy& g = galaxy();
    const Vec3 home = g.planets.front()->position;
    Planet* nearest = nullptr;
    for (const auto& planet : g.planets) {
        const float d = glm::length(planet->position - home);
        if (planet->owner == Side::Neutral && d > 3.0f &&
            (nearest == nullptr || d < glm::length(nearest->position - home))) {
            nearest = planet.get();
        }
    }
    nearest->playerClaim = 45.0;
    nearest->computerClaim = 30.0;
    for (int i = 0; i < 6; ++i) {
        const bool isPlayer = i % 2 == 0;
        const float angle = static_cast<float>(i) * 1.047f;
        const Vec3 at =
            nearest->position + Vec3{2.0f * std::cos(angle), 0.5f, 2.0f * std::sin(angle)};
        auto ship = makeShip(isPlayer, at);
        ship->headingPoint = nearest->position;
        shipsOfSide(isPlayer).push_back(std::move(ship));
    }
    const Vec3 bar = nearest->position + Vec3{0.0f, nearest->radius, 0.0f};
    lookFrom(bar + Vec3{-6.0f, 3.0f, -6.0f}, bar);
}

// The player's idle and selected ships and a computer ship side by side,
// about 3 units from the eye. Above them a player bolt crosses in front of
// a computer bolt, below them the other way round. Only ships and bolts
// show: the sky and the grids stay off until the renderer starts again.
void closeUpView() {
    newGalaxy();
    scenePasses().sky = nullptr;
    renderState().settings.showLayerGrid = false;
    galaxy().playerShips.clear();
    galaxy().computerShips.clear();
    const Vec3 centre{0.0f, 5.0f, 60.0f}; // outside the galaxy, looking out
    const Vec3 eye = centre + Vec3{0.0f, 0.5f, -2.5f};
    for (int i = 0; i < 3; ++i) {
        auto ship = makeShip(i < 2, centre + Vec3{0.8f * static_cast<float>(1 - i), 0.0f, 0.0f});
        ship->headingPoint = ship->position + Vec3{1.0f, 0.0f, 0.0f};
        ship->selected = i == 1;
        shipsOfSide(i < 2).push_back(std::move(ship));
    }
    // The bolts of a pair lie on one line of sight, one nearer than the other.
    for (float height : {0.55f, -0.45f}) {
        const Vec3 sight = centre + Vec3{0.0f, height, 0.0f} - eye;
        for (bool fromComputer : {false, true}) {
            LaserShot shot;
            shot.position = eye + sight * (fromComputer == (height < 0.0f) ? 0.8f : 1.2f);
            shot.direction = glm::normalize(Vec3{fromComputer ? -1.0f : 1.0f, 0.1f, 0.0f});
            shot.targetPoint = shot.position + shot.direction * 10.0f;
            shot.fromComputer = fromComputer;
            shipsOfSide(!fromComputer).front()->lasers.push_back(shot);
        }
    }
    lookFrom(eye, centre);
}

void drawSceneMap(int width, int height) {
    drawOverviewMap(
        buildOverviewMap(galaxy(), camera(), overviewMapRect(width, height), {}, currentTime()));
}

// The swap leaves the back buffer undefined, so the composite is drawn once
// more to read, and the overview map over it where one is drawn.
std::string captureFrame(int width, int height) {
    renderFrame();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    runCompositePass();
    if (const std::function<void()>& map = scenePasses().overviewMap) {
        map();
    }
    std::string bgr(static_cast<std::size_t>(width) * height * 3, '\0');
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_BGR, GL_UNSIGNED_BYTE, bgr.data());
    return bgr;
}
