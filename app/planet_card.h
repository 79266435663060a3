// The planet card: what a planet is worth to the player, in words. It shows
// the planet the pointer has rested on for a moment, or else the one planet
// selected: owner, development, claims, production and route, queue.
#pragma once

#include <string>
#include <vector>

#include "render/glyph_layout.h"
#include "sim/galaxy.h"

constexpr double kCardHoverSeconds = 0.3;

// "you", "enemy" or "nobody".
std::string sideWord(Side side);

// The card's lines, each in its colour (side words in the palette's).
std::vector<TextLine> planetCardLines(const Planet& planet);

// The planet whose card shows at `now`, given the planet under the pointer
// (null for none): the pointed one once it has stayed under the pointer
// kCardHoverSeconds, else the only selected planet, else none.
const Planet* cardPlanet(const Planet* pointed, double now);

// Forgets the pointed planet; for tests and a new game.
void resetPlanetCard();
