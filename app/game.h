// The program from start to end: start-up, intro flight, main loop, end of
// game and teardown.
#pragma once

// Runs the whole game; returns the process exit code (1 when no window).
int runGame();
