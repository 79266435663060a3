#include "app/opponent_command.h"

#include <iostream>

#include "app/app_state.h"
#include "sim/galaxy.h"
#include "sim/opponent_choice.h"

void chooseNextOpponent() {
    const Galaxy& g = galaxy();
    if (!appState().introPlaying && !g.playerDefeated && !g.playerVictorious) {
        return;
    }
    chosenOpponent() = nextOpponent(chosenOpponent());
    std::cout << "Opponent: " << opponentName(chosenOpponent()) << std::endl;
}
