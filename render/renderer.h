// The frame pipeline: everything the game draws each frame. The scene is
// drawn into an off-screen target (scene, glow, bloom), the glow is blurred,
// and the composite puts it all onto the window with the help, defeat or
// victory image.
#pragma once

#include <functional>

#include "render/render_state.h"

// The scene passes, called by renderFrame in this order. Each is empty until
// the code that draws that part of the scene installs itself here.
struct ScenePasses {
    // Into the scene attachment only.
    std::function<void()> sky;
    std::function<void()> layerGrids; // only while the grids are shown
    // Into the scene and glow attachments.
    std::function<void()> planets; // with moons and trade-route markers
    std::function<void()> sun;
    std::function<void()> ships;
    std::function<void()> turrets;
    std::function<void()> lasers;
    std::function<void()> orders; // queued waypoints of the selected ships
    std::function<void()> orderPlane;
    std::function<void()> overlays; // far-ship icons and planet balance bars
    std::function<void()> lensFlare;
    // Onto the window, after the composite: the overview map, then the
    // on-screen text.
    std::function<void()> overviewMap;
    std::function<void()> windowText;
};

ScenePasses& scenePasses();

// Loads textures, builds meshes and shader programs, makes the scene's
// fixed render objects and the off-screen target. Needs the GL context.
void initRenderer();

// The window's new client size: projection, viewport, stored size, the
// camera's aspect ratio and an off-screen target of that size. A minimised
// window reports 0 x 0; the last real size then stays in force.
void resizeRenderer(int width, int height);

// What the window shows where nothing is drawn: opaque black.
void setBlackClearColor();

// Draws one frame and swaps it onto the window; the swap processes window
// events, so every input callback runs inside this call.
void renderFrame();

// Frees the renderer's CPU-side state. Runs after the window library is
// terminated, so it makes no GL call: the GL objects died with the context.
void shutdownRenderer();

// Deletes every GL object the renderer made and frees its state, for tests
// that set the renderer up more than once in one context.
void destroyRendererObjects();
