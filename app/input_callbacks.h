// Wiring the window's input and size events to the game's handlers.
#pragma once

void installInputCallbacks();
