// The sun: a glowing disc far outside the galaxy that slowly circles the
// vertical axis and lights every planet and ship from where it stands, and
// the lens flare it throws across the view when the player looks into it.
#pragma once

#include <vector>

#include "sim/galaxy.h"

// Where the sun stands when a game starts.
inline constexpr Vec3 kSunStartPosition{180.0f, 60.0f, 180.0f};

Vec3 sunPosition();
void setSunPosition(const Vec3& position);

// Turns the sun about the vertical axis by its rate of a tenth of pi
// degrees per second of frame time.
void orbitSun(double frameDelta);

// One sprite of the lens flare, ready to draw.
struct FlareSprite {
    int sprite; // index into the scene's flare billboards
    Vec4 color; // tint, and its strength as alpha
    Vec3 position;
    float scale;
};

// The flare for a camera at `eye` looking at `target`: its sprites strung
// from the sun toward the centre of the view, brighter and larger the
// farther ahead the sun lies. None while the sun is behind the camera or
// too close ahead of it.
std::vector<FlareSprite> layOutLensFlare(const Vec3& eye, const Vec3& target, const Vec3& sun);

// Moves the sun by this frame's step and draws it.
void drawSun();

// Draws the flare when the sun is in plain view and the flare is switched
// on; otherwise touches no GL state.
void drawLensFlare();
