// For end-to-end tests, which cannot play a whole war: VORLAXIS_TEST_ENDS
// lists outcomes, "defeat" or "victory" separated by commas, one per game in
// the order played; each of those games ends so once it has run
// kScriptedGameSeconds of game time. Games past the list, and every game
// without the variable, end only by the rules.
#pragma once

inline constexpr double kScriptedGameSeconds = 4.0;

// Once a frame: sets the end flag the list asks of this game once its time
// has run. Counts games by the new galaxies started.
void applyScriptedEnd(int gameNumber);
