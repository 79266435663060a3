// Milliseconds per frame of the whole picture, rendered under Xvfb with the
// real shaders, textures and models at 1440 x 780: (f) clearing and swapping
// the window alone, the floor of the machine; (a) the bare pipeline (no
// scene pass); (b) the opening view; (c) a 400 against 400 battle with
// lasers in flight. Also times the bloom pass and each scene pass on its
// own, and the planet card with the selected ships' line; each line gives
// the fastest, median and slowest frame, after the machine it ran on. Run
// from the game folder:
//   frame_bench [FRAMES] [SHOT_FOLDER]
// VORLAXIS_BENCH_CLOCK=cpu times CPU time instead of the wall clock.
// With a folder it also saves what the window shows of the opening view,
// the help page, a contested planet and the battle, as PNG images.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <FreeImage.h>
#include <epoxy/gl.h>

#include "app/hud.h"
#include "app/messages.h"
#include "app/picking.h"
#include "app/planet_card.h"
#include "app/selection_summary.h"
#include "app/window_modes.h"
#include "bench/frame_scenes.h"
#include "bench/machine.h"
#include "math/camera.h"
#include "platform/window.h"
#include "render/offscreen_target.h"
#include "render/post_processing.h"
#include "render/quads.h"
#include "render/render_state.h"
#include "render/renderer.h"
#include "render/scene_passes.h"
#include "render/text_overlay.h"
#include "sim/clock.h"
#include "sim/galaxy.h"

namespace {

constexpr int kWidth = 1440;
constexpr int kHeight = 780;
constexpr int kWarmUpFrames = 3;

float orderPlaneHeight = -1.0f;
bool ordersShown = true;

using Clock = std::chrono::steady_clock;

// Wall-clock milliseconds; with VORLAXIS_BENCH_CLOCK=cpu, the CPU time of
// every thread of the process (the renderer's included), which others'
// work on a shared machine moves far less.
bool timesCpu() {
    static const bool cpu = [] {
        const char* clock = std::getenv("VORLAXIS_BENCH_CLOCK");
        return clock != nullptr && std::string(clock) == "cpu";
    }();
    return cpu;
}

double nowMs() {
    if (timesCpu()) {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
    }
    return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count();
}

// The fastest, middle and slowest of a line's frames, in milliseconds.
struct Spread {
    double min = 0.0;
    double median = 0.0;
    double max = 0.0;
};

Spread spreadOf(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    const double median =
        samples.size() % 2 == 1 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2.0;
    return {samples.front(), median, samples.back()};
}

// What `with` costs beyond `without`: `with`'s spread less `without`'s median
// (extremes less extremes would say nothing, and could order themselves wrong).
Spread extra(const Spread& with, const Spread& without) {
    return {with.min - without.median, with.median - without.median, with.max - without.median};
}

// The spread of `work`'s milliseconds, each run after an untimed `prepare`.
template <typename Work>
Spread timeSpread(int frames, Work work, const std::function<void()>& prepare = {}) {
    std::vector<double> samples;
    for (int i = 0; i < kWarmUpFrames + frames; ++i) {
        if (prepare) {
            prepare();
        }
        glFinish();
        const double start = nowMs();
        work();
        glFinish();
        const double ms = nowMs() - start;
        if (i >= kWarmUpFrames) {
            samples.push_back(ms);
        }
    }
    return spreadOf(samples);
}

Spread timeFrames(int frames) {
    return timeSpread(frames, [] {
        advanceSceneFrame();
        renderFrame();
    });
}

Spread timeClearAndSwap(int frames) {
    return timeSpread(frames, [] {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        swapBuffersAndPollEvents();
    });
}

// Into the bloom attachment, as the frame does.
Spread timeBloom(int frames) {
    return timeSpread(frames, [] {
        glBindFramebuffer(GL_FRAMEBUFFER, offscreenTarget().framebuffer);
        const GLenum bloomOnly = GL_COLOR_ATTACHMENT2;
        glDrawBuffers(1, &bloomOnly);
        runBloomPass();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    });
}

// The on-screen text of the opening view: fleets and frame rate, and a
// message, onto the window as the frame draws it.
Spread timeOnScreenText(int frames) {
    updateHudStatus({60.0, 0, 0, galaxy().computerShips.size(), galaxy().playerShips.size()});
    postMessage("AI opened a new trade route");
    return timeSpread(frames, [] { drawTextOverlay(hudBlocks(currentTime())); });
}

// What a planet card (of the planet under the window's middle, or the
// first) and the line about the battle's 400 player ships, all selected,
// add to the frame's on-screen text, which draws them in the same call:
// found, written and drawn with it, less the text without them.
Spread timeCardAndLine(int frames) {
    const std::vector<TextBlock> rest = hudBlocks(currentTime());
    for (const ShipRef& ship : galaxy().playerShips) {
        ship->selected = true;
    }
    const Planet& first = *galaxy().planets.front();
    const Spread with = timeSpread(frames, [&rest, &first] {
        const Planet* pointed = planetUnderPointer(kWidth / 2, kHeight / 2);
        std::vector<TextLine> card = planetCardLines(pointed != nullptr ? *pointed : first);
        card.push_back({selectionSummary(galaxy()), glm::vec4{1.0f}});
        std::vector<TextBlock> blocks = rest;
        blocks.push_back({TextAnchor::TopLeft, 1.0f, std::move(card)});
        drawTextOverlay(blocks);
    });
    for (const ShipRef& ship : galaxy().playerShips) {
        ship->selected = false;
    }
    return extra(with, timeSpread(frames, [&rest] { drawTextOverlay(rest); }));
}

void drawBenchMap() {
    drawSceneMap(kWidth, kHeight);
}

// The map goes onto pixels the frame has already covered. Drawn once after a
// finished frame, a software renderer would also load and store the window's
// tiles under it, work that the composite before it pays in a real frame; so
// the map's part is what each further map adds to a frame that draws one.
Spread timeOverviewMap(int frames) {
    constexpr int kMaps = 9;
    const auto drawMaps = [](int count) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        for (int i = 0; i < count; ++i) {
            drawBenchMap();
        }
    };
    const Spread one = timeSpread(frames, [&drawMaps] { drawMaps(1); });
    const Spread many = timeSpread(frames, [&drawMaps] { drawMaps(kMaps); });
    const Spread added = extra(many, one);
    return {added.min / (kMaps - 1), added.median / (kMaps - 1), added.max / (kMaps - 1)};
}

void saveShot(const std::string& folder, const char* name) {
    std::string bgr = captureFrame(kWidth, kHeight);
    FIBITMAP* image =
        FreeImage_ConvertFromRawBits(reinterpret_cast<BYTE*>(bgr.data()), kWidth, kHeight,
                                     kWidth * 3, 24, 0xFF0000, 0x00FF00, 0x0000FF, FALSE);
    const std::string file = folder + "/" + name + ".png";
    FreeImage_Save(FIF_PNG, image, file.c_str(), 0);
    FreeImage_Unload(image);
}

void saveShots(const std::string& folder) {
    openingView();
    saveShot(folder, "opening");
    renderState().settings.showHelp = true;
    saveShot(folder, "help");
    renderState().settings.showHelp = false;
    contestedView();
    saveShot(folder, "contested");
    sunView();
    saveShot(folder, "sun");
    battleView();
    saveShot(folder, "battle");
    scenePasses().overviewMap = drawBenchMap;
    saveShot(folder, "battle_map");
    scenePasses().overviewMap = nullptr;
}

// Each scene pass on its own, into the scene and glow attachments, cleared
// first as the frame clears them: on a filled depth buffer a pass would
// draw almost nothing.
std::string timeEachPass(int frames) {
    const ScenePasses passes = scenePasses();
    const std::pair<const char*, const std::function<void()>*> order[] = {
        {"sky", &passes.sky},       {"grids", &passes.layerGrids},  {"planets", &passes.planets},
        {"sun", &passes.sun},       {"ships", &passes.ships},       {"turrets", &passes.turrets},
        {"lasers", &passes.lasers}, {"overlays", &passes.overlays}, {"flare", &passes.lensFlare}};
    std::ostringstream report;
    report << std::fixed << std::setprecision(1);
    const auto clearTarget = [] {
        glBindFramebuffer(GL_FRAMEBUFFER, offscreenTarget().framebuffer);
        const GLenum sceneAndGlow[] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
        glDrawBuffers(2, sceneAndGlow);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    };
    for (const auto& [name, pass] : order) {
        const double ms = timeSpread(
                              frames,
                              [pass] {
                                  (*pass)();
                                  glBindFramebuffer(GL_FRAMEBUFFER, 0);
                              },
                              clearTarget)
                              .median;
        report << name << " " << ms << "  ";
    }
    return report.str();
}

// One line of the report: the spread of its frames, and the ratio of its
// median to an earlier line's.
struct Line {
    std::string label;
    Spread ms;
    const Line* base = nullptr;
    const char* relation = " x ";
};

void print(const std::vector<Line>& lines) {
    for (const Line& line : lines) {
        const int digits = line.ms.median < 1.0 ? 2 : 1;
        std::cout << "  " << std::left << std::setw(20) << line.label << std::right
                  << std::setprecision(digits);
        for (const double ms : {line.ms.min, line.ms.median, line.ms.max}) {
            std::cout << std::setw(7) << ms;
        }
        if (line.base != nullptr) {
            std::cout << "  = " << std::setprecision(2) << line.ms.median / line.base->ms.median
                      << line.relation << line.base->label.substr(0, 3);
        }
        std::cout << "\n";
    }
}

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    std::cout << bench::machineLine() << std::endl; // before the run loads the machine
    FreeImage_Initialise(FALSE);
    if (!initWindowing() || !openGameWindow()) {
        std::cerr << "no OpenGL 3.2 window: run under xvfb-run" << std::endl;
        return 1;
    }
    setClockSource(sceneClock);
    resizeWindow({kWidth, kHeight});
    std::cout.setstate(std::ios::failbit); // start-up chatter
    initRenderer();
    createTextOverlay();
    buildQuads();
    initCamera();
    handleResize(kWidth, kHeight);
    std::cout.clear();

    // Lines keep their places: later ones point at earlier ones.
    std::vector<Line> lines;
    lines.reserve(16);
    const Line& floor = lines.emplace_back(Line{"(f) clear and swap", timeClearAndSwap(frames)});
    emptyView();
    const Line& bare = lines.emplace_back(Line{"(a) bare pipeline", timeFrames(frames), &floor});
    installScenePasses(&orderPlaneHeight, &ordersShown);
    openingView();
    const Line& opening = lines.emplace_back(Line{"(b) opening view", timeFrames(frames), &bare});
    const std::string openingPasses = timeEachPass(frames);
    lines.push_back(Line{"bloom pass alone", timeBloom(frames), &opening, " of "});
    lines.push_back(Line{"on-screen text", timeOnScreenText(frames), &opening, " of "});
    battleView();
    const Line& battle = lines.emplace_back(Line{"(c) 400 v 400", timeFrames(frames), &bare});
    lines.push_back(Line{"card and ships line", timeCardAndLine(frames), &battle, " of "});
    lines.push_back(Line{"overview map", timeOverviewMap(frames), &battle, " of "});
    const std::string battlePasses = timeEachPass(frames);

    std::cout << std::fixed << "frame_bench " << kWidth << "x" << kHeight << ", " << frames
              << " frames (min, median, max), " << (timesCpu() ? "CPU " : "") << "ms per frame\n";
    print(lines);
    std::cout << "  passes of (b): " << openingPasses << "\n"
              << "  passes of (c): " << battlePasses << "\n";
    if (argc > 2) {
        saveShots(argv[2]);
    }
    destroyRendererObjects();
    terminateWindowing();
    return 0;
}
