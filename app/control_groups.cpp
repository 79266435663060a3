#include "app/control_groups.h"

namespace {
std::array<ControlGroup, kControlGroupCount> groups;
} // namespace

void storeControlGroup(int digit) {
    ControlGroup stored;
    for (const ShipRef& ship : galaxy().playerShips) {
        if (ship->selected) {
            stored.push_back(ship);
        }
    }
    groups.at(digit) = std::move(stored);
}

void recallControlGroup(int digit) {
    for (const std::weak_ptr<Ship>& member : groups.at(digit)) {
        if (const ShipRef ship = member.lock()) {
            ship->selected = true;
        }
    }
}

ShipRef firstShipOfGroup(int digit) {
    for (const std::weak_ptr<Ship>& member : groups.at(digit)) {
        if (ShipRef ship = member.lock()) {
            return ship;
        }
    }
    return nullptr;
}

void clearControlGroups() {
    for (ControlGroup& group : groups) {
        group.clear();
    }
}

const ControlGroup& controlGroup(int digit) {
    return groups.at(digit);
}
