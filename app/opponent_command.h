// B chooses the computer opponent for the coming game: while the intro flies
// or on the end screen before the next galaxy, never in the middle of a game.
#pragma once

// Steps to the next opponent and prints "Opponent: hard"; nothing mid-game.
void chooseNextOpponent();
