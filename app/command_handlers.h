// The code behind each command of the key table.
#pragma once

#include "app/command_table.h"

// Runs the command; `key` is the key of its row that acted (the digit of a
// control group, the keypad key of a layer).
void runCommand(CommandId command, int key);
