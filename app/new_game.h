// A new galaxy in the same window and process once a game has ended: every
// record that holds something of one game goes back to a fresh start, the
// galaxy is built anew from the random stream as it stands, and the GL
// objects, textures, meshes and shader programs stay loaded.
#pragma once

// Brings every record of one game's state back to a fresh start; the
// headless player calls it before each game. Needs no GL context.
void resetGameRecords();

// resetGameRecords, then the next galaxy with its balance bars and quads and
// the camera at its starting place, ready for the intro. Needs the GL context.
void startNewGame();
