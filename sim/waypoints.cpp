#include "sim/waypoints.h"

void appendWaypoint(Ship& ship, Vec3 position, Waypoint::Kind kind) {
    ship.waypoints.push_back({position, kind});
    ship.moveState = MoveState::Moving;
}

void pushWaypointFront(Ship& ship, Vec3 position, Waypoint::Kind kind) {
    ship.waypoints.insert(ship.waypoints.begin(), {position, kind});
    ship.moveState = MoveState::Moving;
}

void popWaypoint(Ship& ship) {
    if (!ship.waypoints.empty()) {
        ship.waypoints.erase(ship.waypoints.begin());
    }
    if (ship.waypoints.empty()) {
        ship.moveState = MoveState::Idle;
    }
}
