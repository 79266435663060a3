// Camera-facing textured quads: the sun, the lens-flare sprites, ship icons
// and the planets' balance bars.
#pragma once

#include <vector>

#include <epoxy/gl.h>

#include "sim/galaxy.h"

struct Billboard {
    GLuint* texture = nullptr; // holder in the texture manager
    Vec3 position{0.0f};
    Mat4 modelMatrix{1.0f};
};

// A billboard with the texture of `textureKey` at `position`.
Billboard makeBillboard(int textureKey, Vec3 position);

// Scales the billboard's own matrix.
void scaleBillboard(Vec3 scale, Billboard& billboard);
void scaleBillboard(float scale, Billboard& billboard);

// One balance bar per planet, in planet order: the claims bar drawn 1.5
// radii above the planet, as wide as the capture radius.
void buildBalanceBars();
const std::vector<Billboard>& balanceBars();
void forgetBalanceBars();
