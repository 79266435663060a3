// The command table as text: the lines of the F1 help page and the README's
// controls table. Controls are written "[Key]" for a key cap and "{Mouse}"
// for a mouse action, the rest is joining text: "[Ctrl] + [A]".
#pragma once

#include <string>
#include <vector>

#include "app/command_table.h"

struct CommandLine {
    Group group;
    std::string controls;
    std::string words;
};

// One line per row with words, the rows after it without words joined in.
std::vector<CommandLine> commandLines();

// As the README names the group, e.g. "Selection and orders".
const char* groupTitle(Group group);

// The key cap's label: "W", "F11", "PgUp", "Num +".
std::string keyLabel(int key);

// The table under "## Controls" in README.md, line by line.
std::vector<std::string> readmeControlsTable();
