// Hands the frame pipeline the passes that draw the scene.
#pragma once

// Installs sky, grids, planets, sun, ships, turrets, lasers, queued orders,
// order plane, overlays and lens flare into the pipeline. The order plane is
// drawn at the height that `orderPlaneHeight` holds at each frame (-1 while
// it is off), the queued orders while `ordersShown` holds; the pointers must
// outlive the renderer.
void installScenePasses(const float* orderPlaneHeight, const bool* ordersShown);
