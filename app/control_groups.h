// The ten control groups: ship selections stored under the digit keys.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "sim/galaxy.h"

// A group remembers its ships weakly: a ship destroyed since it was stored
// is simply gone from the group.
using ControlGroup = std::vector<std::weak_ptr<Ship>>;

constexpr int kControlGroupCount = 10;

// Replaces the group with every selected player ship, in list order.
void storeControlGroup(int digit);

// Selects every ship of the group that still exists; the rest stays selected.
void recallControlGroup(int digit);

// The group's first ship that still exists; none when all are destroyed.
ShipRef firstShipOfGroup(int digit);

// Empties every group; for a new game and for tests.
void clearControlGroups();

const ControlGroup& controlGroup(int digit);
