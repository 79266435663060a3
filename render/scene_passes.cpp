#include "render/scene_passes.h"

#include "render/laser_pass.h"
#include "render/overlay_pass.h"
#include "render/planet_pass.h"
#include "render/renderer.h"
#include "render/ship_pass.h"
#include "render/sky_pass.h"
#include "render/sun_pass.h"
#include "render/waypoint_pass.h"

void installScenePasses(const float* orderPlaneHeight, const bool* ordersShown) {
    ScenePasses& passes = scenePasses();
    passes.sky = drawSky;
    passes.layerGrids = drawLayerGrids;
    passes.planets = drawPlanets;
    passes.sun = drawSun;
    passes.ships = drawShips;
    passes.turrets = drawTurrets;
    passes.lasers = drawLasers;
    passes.orders = [ordersShown] {
        if (*ordersShown) {
            drawQueuedWaypoints();
        }
    };
    passes.orderPlane = [orderPlaneHeight] { drawOrderPlane(*orderPlaneHeight); };
    passes.overlays = drawOverlays;
    passes.lensFlare = drawLensFlare;
}
