// One line about the selected ships: how many, their health against a full
// one, how many are moving, and the control group they make up, if any.
#pragma once

#include <string>

#include "sim/galaxy.h"

// "12 ships selected: 34 of 36 health, 4 moving, group 3"; empty with no
// ship selected.
std::string selectionSummary(const Galaxy& galaxy);
