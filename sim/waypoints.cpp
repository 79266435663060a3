#include "sim/waypoints.h"

#include <algorithm>

void appendWaypoint(Ship& ship, Vec3 position, Waypoint::Kind kind) {
    ship.waypoints.push_back({position, kind});
}

void pushWaypointFront(Ship& ship, Vec3 position, Waypoint::Kind kind) {
    ship.waypoints.insert(ship.waypoints.begin(), {position, kind});
}

void popWaypoint(Ship& ship) {
    if (!ship.waypoints.empty()) {
        ship.waypoints.erase(ship.waypoints.begin());
    }
}

bool hasDestination(const Ship& ship) {
    return std::any_of(ship.waypoints.begin(), ship.waypoints.end(),
                       [](const Waypoint& w) { return w.kind == Waypoint::Destination; });
}
