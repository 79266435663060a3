// Ship combat: automatic targeting, the line of fire, laser shots in flight
// and their hits, and the two fire commands the player gives with the mouse.
#pragma once

#include "sim/galaxy.h"

// The targeted-fire modifier key as the window layer last saw it: held down,
// and a release that the ships have not noticed yet.
struct TargetedFireKey {
    bool held = false;
    bool releasedMarker = false;
};

// The key state the step hands to automatic fire; the window layer keeps it
// up to date.
TargetedFireKey& targetedFireKey();

// A reloaded ship picks an enemy in range with a clear line of fire, leading
// it by its movement, and fires. Selected player ships hold their fire for
// the player while the modifier key is down.
void acquireTargetAndFire(Ship& ship, TargetedFireKey& key);

// Launches a shot toward the point and spends one reload.
void fireLaser(Ship& ship, Vec3 point);

// Moves the ship's shots on, lets them hit, and clears out spent ones.
void updateLasers(Ship& ship);

// Fire command at the galaxy's aim point for one ship: fires if it is
// reloaded, whatever lies in the way.
void manualFire(Ship& ship);

// Fire command of every selected, reloaded player ship at the picked ship's
// position. A targeted shot costs three quarters of a reload.
void targetedFire(Vec3 targetPosition);
