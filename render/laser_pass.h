// Laser bolts in flight: two crossed glowing quads along each bolt's line,
// drawn back to front because they are translucent and write no depth.
#pragma once

#include <vector>

#include "sim/galaxy.h"

// Every shot of both sides, the computer's first, the farthest from the eye
// first.
std::vector<const LaserShot*> lasersBackToFront(const Galaxy& galaxy);

void drawLasers();
