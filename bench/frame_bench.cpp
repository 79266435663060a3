// Milliseconds per frame of the whole picture, rendered under Xvfb with the
// real shaders, textures and models, for three scenes at 1440 x 780: the
// bare pipeline (no scene pass), the opening view beside the player's home,
// and a 400 against 400 battle with lasers in flight. Also times the bloom
// pass on its own. Run from the game folder; prints one line per figure.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <FreeImage.h>
#include <epoxy/gl.h>

#include "app/input_callbacks.h"
#include "app/window.h"
#include "math/camera.h"
#include "render/billboard.h"
#include "render/offscreen_target.h"
#include "render/post_processing.h"
#include "render/quads.h"
#include "render/renderer.h"
#include "render/scene_passes.h"
#include "sim/clock.h"
#include "sim/generation.h"

namespace {

constexpr int kWidth = 1440;
constexpr int kHeight = 780;
constexpr unsigned kSeed = 2024;
constexpr int kWarmUpFrames = 3;
constexpr int kShipsPerSide = 400;
constexpr double kFrame = 1.0 / 60.0;

float orderPlaneHeight = -1.0f;
double clockNow = 100.0;

using Clock = std::chrono::steady_clock;

double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    return samples.size() % 2 == 1 ? samples[middle]
                                   : (samples[middle - 1] + samples[middle]) / 2.0;
}

template <typename Work> double timeMedian(int frames, Work work) {
    std::vector<double> samples;
    for (int i = 0; i < kWarmUpFrames + frames; ++i) {
        glFinish();
        const auto start = Clock::now();
        work();
        glFinish();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (i >= kWarmUpFrames) {
            samples.push_back(ms);
        }
    }
    return median(samples);
}

double timeFrames(int frames) {
    return timeMedian(frames, [] {
        galaxy().frameDelta = kFrame;
        galaxy().elapsedTime += kFrame;
        clockNow += kFrame;
        renderFrame();
    });
}

void lookFrom(const Vec3& eye, const Vec3& target) {
    camera().eye = eye;
    camera().target = target;
    updateCameraBasis();
    camera().viewChanged = true;
}

void newGalaxy() {
    resetGalaxy();
    std::srand(kSeed);
    generateGalaxy();
    buildBalanceBars();
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
            auto ship = std::make_shared<Ship>(isPlayer, at, 1.0f);
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

// Each scene pass on its own, into the scene and glow attachments.
std::string timeEachPass(int frames) {
    const ScenePasses passes = scenePasses();
    const std::pair<const char*, const std::function<void()>*> order[] = {
        {"sky", &passes.sky},       {"grids", &passes.layerGrids},  {"planets", &passes.planets},
        {"sun", &passes.sun},       {"ships", &passes.ships},       {"turrets", &passes.turrets},
        {"lasers", &passes.lasers}, {"overlays", &passes.overlays}, {"flare", &passes.lensFlare}};
    std::ostringstream report;
    report << std::fixed << std::setprecision(1);
    for (const auto& [name, pass] : order) {
        const double ms = timeMedian(frames, [pass] {
            glBindFramebuffer(GL_FRAMEBUFFER, offscreenTarget().framebuffer);
            const GLenum sceneAndGlow[] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
            glDrawBuffers(2, sceneAndGlow);
            (*pass)();
            glBindFramebuffer(GL_FRAMEBUFFER, 0);
        });
        report << name << " " << ms << "  ";
    }
    return report.str();
}

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    FreeImage_Initialise(FALSE);
    if (!initWindowing() || !openGameWindow()) {
        std::cerr << "no OpenGL 3.2 window: run under xvfb-run" << std::endl;
        return 1;
    }
    setClockSource([] { return clockNow; });
    resizeWindow({kWidth, kHeight});
    std::cout.setstate(std::ios::failbit); // start-up chatter
    initRenderer();
    buildQuads();
    initCamera();
    handleResize(kWidth, kHeight);
    std::cout.clear();

    newGalaxy();
    const double bare = timeFrames(frames);
    installScenePasses(&orderPlaneHeight);
    openingView();
    const double opening = timeFrames(frames);
    const std::string openingPasses = timeEachPass(frames);
    battleView();
    const double battle = timeFrames(frames);
    const std::string battlePasses = timeEachPass(frames);
    const double bloom = timeMedian(frames, [] {
        glBindFramebuffer(GL_FRAMEBUFFER, offscreenTarget().framebuffer);
        const GLenum bloomOnly = GL_COLOR_ATTACHMENT2;
        glDrawBuffers(1, &bloomOnly);
        runBloomPass();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    });

    std::cout << std::fixed << std::setprecision(1);
    std::cout << "frame_bench " << kWidth << "x" << kHeight << ", median of " << frames
              << " frames, ms per frame\n"
              << "  (a) bare pipeline   " << bare << "\n"
              << "  (b) opening view    " << opening << "  = " << std::setprecision(2)
              << opening / bare << " x (a)\n"
              << std::setprecision(1) << "  (c) 400 v 400       " << battle << "  = "
              << std::setprecision(2) << battle / bare << " x (a)\n"
              << std::setprecision(1) << "  bloom pass alone    " << bloom << "  = "
              << std::setprecision(2) << bloom / opening << " of (b)\n"
              << "  passes of (b): " << openingPasses << "\n"
              << "  passes of (c): " << battlePasses << "\n";
    destroyRendererObjects();
    terminateWindowing();
    return 0;
}
