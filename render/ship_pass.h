// Ship hulls and their turrets. Near ships show the detailed hull, farther
// ones a plain one, and beyond 75 units the icon pass takes over. The
// player's ships are coloured by what they are doing.
#pragma once

#include "render/foreign_planets.h"
#include "sim/galaxy.h"

constexpr float kShipFarCutoff = 75.0f;
constexpr float kHullDetailDistance = 25.0f;
// A turret shorter than this on screen is left out: on a hull a dozen
// pixels long it would change a pixel or two.
constexpr float kTurretMinPixels = 2.0f;
// A turret shorter than this on screen is drawn with the far mesh, whose
// few triangles cover the same pixels.
constexpr float kTurretDetailPixels = 12.0f;
// A plain hull shorter than this on screen is drawn with the far hull.
constexpr float kHullFarPixels = 20.0f;

// The player's ship colours in the active palette: selected, standing at a
// planet the player does not own, or anything else.
namespace ShipMaterial {
Material selected();
Material atForeignPlanet();
Material idle();
// Turrets of computer ships.
Material computerTurret();
} // namespace ShipMaterial

// The colour a player ship wears this frame, among this pass's planets.
Material playerShipMaterial(const Ship& ship, const ForeignPlanets& foreign);

// Whether the ship is in view, near enough and in the shown planet layer.
// A selected player ship's hull stays shown whatever its layer.
bool isHullShown(const Ship& ship);
bool isTurretShown(const Ship& ship);

// How many pixels of the window's height `length` units span so far away.
float pixelsOnScreen(float length, float distanceFromEye);
// The full turret, or the far one under kTurretDetailPixels.
int turretMeshKind(float pixels);

// The detailed hull within 25 units of the eye, the plain one beyond.
int hullMeshKind(float distanceFromEye);

// Draw every shown hull, counting them in renderState().drawnShipCount; then every
// shown turret, facing its last target for 6 seconds after a shot.
void drawShips();
void drawTurrets();
