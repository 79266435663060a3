// Alerts: where the war goes wrong for the player. The simulation's events
// of the frame become "Planet under attack", "Planet lost" and "Ships under
// fire", at most one per place every kAlertQuietSeconds; each is said in the
// messages (with its distance and direction when it is off screen) with a cue
// heard wherever the camera is, and Space jumps the camera to the latest.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "math/camera.h"
#include "sim/events.h"

// In rising order of weight: when one place has several, the weightiest is told.
enum class AlertKind : int { ShipsUnderFire, PlanetUnderAttack, PlanetLost };

constexpr double kAlertQuietSeconds = 10.0;
// Events this close together are one place.
constexpr float kAlertPlaceRadius = 12.0f;
// How long an alert stays among the current ones (the overview map flashes them).
constexpr double kAlertShownSeconds = 10.0;
constexpr std::size_t kAlertsKept = 32;

struct Alert {
    AlertKind kind;
    Vec3 position;
    double time; // game time (galaxy().elapsedTime) when it was told
    double age(double now) const { return now - time; }
};

// The alert a player's side has in the event, if any.
std::optional<AlertKind> alertFor(const GameEvent& event);

const char* alertWords(AlertKind kind);

// The words of an alert seen through the camera: the alert alone when its
// place is on screen, else with the distance from the view's centre and the
// direction to turn, e.g. "Planet lost, 64 units behind left".
std::string alertMessage(const Alert& alert, const Camera& view, const Mat4& projection);

class AlertList {
  public:
    // The frame's events at game time `now`: returns the alerts told now. A weightier
    // alert than the one told at a place waits for the place's quiet time to
    // end, then is told even without a new event.
    std::vector<Alert> take(const std::vector<GameEvent>& events, double now);

    // The newest told alert; none before the first.
    std::optional<Alert> latest() const;

    // Those told within kAlertShownSeconds of `now`, oldest first.
    std::vector<Alert> current(double now) const;

    void reset() { *this = AlertList{}; }

  private:
    struct Place {
        Vec3 position;
        double toldAt;
        AlertKind told;
        std::optional<AlertKind> waiting;
    };
    Place* placeNear(Vec3 position);
    void tell(Place& place, AlertKind kind, double now, std::vector<Alert>& told);

    std::vector<Place> places_; // told within the quiet time, or waiting
    std::vector<Alert> told_;   // the newest kAlertsKept
};

// The game's alerts.
AlertList& gameAlerts();

// Read-only: the alerts of the last kAlertShownSeconds of game time, oldest
// first, for whatever shows them (the overview map flashes them).
std::vector<Alert> currentAlerts();

// Once a frame, before the events are cleared: the new alerts go to the
// messages at clock time `now` and sound the cue.
void announceFrameAlerts(double now);

// Space: the camera jumps to the latest alert as to a control group; nothing
// without one.
void jumpToLatestAlert();
