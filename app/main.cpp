#include "app/game.h"
#include "app/game_folder.h"

int main() {
    enterGameFolder();
    return runGame();
}
