// Memory of a 400 against 400 battle: the renderer with every game file, a
// galaxy from a fixed seed, and the two full fleets fighting in the open,
// stepped and drawn frame after frame at 1440 x 780 as the main loop does.
// Run from the game folder under /usr/bin/time -v (battle_memory.sh);
// `battle_memory FRAMES 0` runs the same without the fleets, for comparison.
#include <algorithm>
#include <cstdlib>
#include <iostream>

#include <FreeImage.h>

#include "app/window_modes.h"
#include "bench/battle_setup.h"
#include "math/camera.h"
#include "platform/window.h"
#include "render/billboard.h"
#include "render/quads.h"
#include "render/renderer.h"
#include "render/scene_passes.h"
#include "sim/clock.h"
#include "sim/generation.h"
#include "sim/simulation.h"

namespace {

constexpr int kWidth = 1440;
constexpr int kHeight = 780;
constexpr unsigned kSeed = 4242;
constexpr double kFrame = 1.0 / 60.0;
const Vec3 kBattleCentre{0.0f, 5.0f, 0.0f};

float orderPlaneHeight = -1.0f;
bool ordersShown = true;
double clockNow = 100.0;

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 600;
    const int perSide = argc > 2 ? std::clamp(std::atoi(argv[2]), 0, 400) : 400;
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
    installScenePasses(&orderPlaneHeight, &ordersShown);
    std::srand(kSeed);
    generateGalaxy();
    buildBalanceBars();
    if (perSide > 0) {
        battle::setUp(perSide, kBattleCentre, kFrame);
    }
    camera().eye = kBattleCentre + Vec3{0.0f, 25.0f, -45.0f};
    camera().target = kBattleCentre;
    updateCameraBasis();
    camera().viewChanged = true;

    Galaxy& g = galaxy();
    std::size_t most = 0;
    std::size_t lasers = 0;
    for (int i = 0; i < frames; ++i) {
        clockNow += kFrame;
        g.frameDelta = kFrame;
        g.elapsedTime += kFrame;
        stepSimulation();
        renderFrame();
        std::size_t inFlight = 0;
        for (const ShipList* list : {&g.playerShips, &g.computerShips}) {
            for (const ShipRef& ship : *list) {
                inFlight += ship->lasers.size();
            }
        }
        most = std::max(most, g.playerShips.size() + g.computerShips.size());
        lasers = std::max(lasers, inFlight);
    }
    std::cout.clear();
    std::cout << "battle_memory: " << perSide << " a side, " << frames << " frames, at most "
              << most << " ships and " << lasers << " lasers in flight, " << g.playerShips.size()
              << " v " << g.computerShips.size() << " at the end\n";
    destroyRendererObjects();
    terminateWindowing();
    return 0;
}
