// Milliseconds per frame of the whole picture, rendered under Xvfb with the
// real shaders, textures and models, for three scenes at 1440 x 780: the
// bare pipeline (no scene pass), the opening view beside the player's home,
// and a 400 against 400 battle with lasers in flight. Also times the bloom
// pass and each scene pass on its own. Run from the game folder:
//   frame_bench [FRAMES] [SHOT_FOLDER]
// With a folder it also saves what the window shows of the opening view,
// the help page, a contested planet and the battle, as PNG images.
#include <algorithm>
#include <chrono>
#include <cmath>
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
#include "math/camera.h"
#include "platform/window.h"
#include "render/billboard.h"
#include "render/offscreen_target.h"
#include "render/post_processing.h"
#include "render/quads.h"
#include "render/render_settings.h"
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

// A ship as spawning makes it: the computer's hulls are red.
std::shared_ptr<Ship> makeShip(bool isPlayer, const Vec3& at) {
    auto ship = std::make_shared<Ship>(isPlayer, at, 1.0f);
    if (!isPlayer) {
        ship->hullModel[0].material.diffuseColor = Vec4{1.0f, 0.0f, 0.0f, 1.0f};
    }
    return ship;
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

// A planet next to the player's home, fought over by a few ships of both
// sides, seen from close by.
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

// Renders a frame and saves what the window shows as a PNG. The swap leaves
// the back buffer undefined, so the composite is drawn once more to read.
void saveShot(const std::string& folder, const char* name) {
    renderFrame();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    runCompositePass();
    std::vector<unsigned char> bgr(static_cast<std::size_t>(kWidth) * kHeight * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_BGR, GL_UNSIGNED_BYTE, bgr.data());
    FIBITMAP* image = FreeImage_ConvertFromRawBits(bgr.data(), kWidth, kHeight, kWidth * 3, 24,
                                                   0xFF0000, 0x00FF00, 0x0000FF, FALSE);
    const std::string file = folder + "/" + name + ".png";
    FreeImage_Save(FIF_PNG, image, file.c_str(), 0);
    FreeImage_Unload(image);
}

void saveShots(const std::string& folder) {
    openingView();
    saveShot(folder, "opening");
    renderSettings.showHelp = true;
    saveShot(folder, "help");
    renderSettings.showHelp = false;
    contestedView();
    saveShot(folder, "contested");
    battleView();
    saveShot(folder, "battle");
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
    if (argc > 2) {
        saveShots(argv[2]);
    }
    destroyRendererObjects();
    terminateWindowing();
    return 0;
}
