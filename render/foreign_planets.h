// The planets the player does not own, sorted into a grid on the ground
// plane once a pass, so that the tint of a player ship standing at one
// (within the capture radius) looks at the few planets around the ship
// instead of every planet of the galaxy.
#pragma once

#include <vector>

#include "sim/galaxy.h"

class ForeignPlanets {
  public:
    explicit ForeignPlanets(const Galaxy& galaxy);

    // Whether a planet the player does not own lies within the capture
    // radius of the point (a point on the radius counts).
    bool isNear(const Vec3& point) const;

  private:
    // The cell column (x) or row (z) of a coordinate, unclamped.
    double cellOf(float coordinate, float origin) const;

    float reach_;
    float cellSize_ = 1.0f;
    float originX_ = 0.0f;
    float originZ_ = 0.0f;
    int columns_ = 0;
    int rows_ = 0;
    std::vector<int> cellStart_; // into planets_, by row then column
    std::vector<Vec3> planets_;
};
