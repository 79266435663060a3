#include "app/selection_summary.h"

#include <algorithm>
#include <cmath>

#include "app/control_groups.h"

namespace {

// The first group whose ships still alive are exactly the selected ones.
int groupOfSelection(std::size_t selectedCount) {
    for (int digit = 0; digit < kControlGroupCount; ++digit) {
        std::size_t alive = 0;
        bool same = true;
        for (const std::weak_ptr<Ship>& member : controlGroup(digit)) {
            if (const ShipRef ship = member.lock()) {
                ++alive;
                same = same && ship->selected;
            }
        }
        if (same && alive == selectedCount) {
            return digit;
        }
    }
    return -1;
}

} // namespace

std::string selectionSummary(const Galaxy& galaxy) {
    std::size_t count = 0;
    double health = 0.0;
    int moving = 0;
    for (const ShipRef& ship : galaxy.playerShips) {
        if (ship->selected) {
            ++count;
            health += std::max(0.0, ship->health);
            moving += ship->moveState == MoveState::Moving ? 1 : 0;
        }
    }
    if (count == 0) {
        return {};
    }
    // Rounded down: any damage shows.
    std::string line = std::to_string(count) + (count == 1 ? " ship" : " ships") +
                       " selected: " + std::to_string(static_cast<long>(std::floor(health))) +
                       " of " + std::to_string(static_cast<long>(count * kPlayerShipHealth)) +
                       " health, " + std::to_string(moving) + " moving";
    const int group = groupOfSelection(count);
    return group < 0 ? line : line + ", group " + std::to_string(group);
}
