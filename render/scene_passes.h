// Hands the frame pipeline the passes that draw the scene.
#pragma once

// Installs sky, grids, planets, sun, ships, turrets, lasers, order plane,
// overlays and lens flare into the pipeline. The order plane is drawn at
// the height that `orderPlaneHeight` holds at each frame (-1 while it is
// off); the pointer must outlive the renderer.
void installScenePasses(const float* orderPlaneHeight);
