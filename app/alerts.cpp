#include "app/alerts.h"

#include <algorithm>
#include <cmath>

#include "app/messages.h"
#include "app/window_words.h"
#include "audio/audio.h"
#include "render/render_state.h"
#include "sim/galaxy.h"

namespace {

// From ahead clockwise, in eighths of a turn.
constexpr const char* kDirections[] = {"ahead",  "ahead right", "right", "behind right",
                                       "behind", "behind left", "left",  "ahead left"};

bool isOnScreen(Vec3 position, const Camera& view, const Mat4& projection) {
    const glm::vec4 clip =
        projection * glm::lookAt(view.eye, view.target, view.worldUp) * glm::vec4(position, 1.0f);
    if (clip.w <= 0.0f) {
        return false;
    }
    const glm::vec3 ndc = glm::vec3(clip) / clip.w;
    return std::abs(ndc.x) <= 1.0f && std::abs(ndc.y) <= 1.0f;
}

// The turn from the view's heading to the place, on the ground.
const char* directionTo(Vec3 position, const Camera& view) {
    const glm::vec2 heading{view.target.x - view.eye.x, view.target.z - view.eye.z};
    const glm::vec2 way{position.x - view.target.x, position.z - view.target.z};
    if (glm::length(heading) < 1e-4f || glm::length(way) < 1e-4f) {
        return kDirections[0];
    }
    // The view's right on the ground is its heading turned a quarter clockwise.
    const glm::vec2 unitWay = glm::normalize(way);
    const glm::vec2 unitHeading = glm::normalize(heading);
    const float ahead = glm::dot(unitHeading, unitWay);
    const float right = glm::dot(glm::vec2{-unitHeading.y, unitHeading.x}, unitWay);
    const float turns = std::atan2(right, ahead) / (2.0f * 3.14159265f);
    const int eighth = static_cast<int>(std::lround(turns * 8.0f + 8.0f)) % 8;
    return kDirections[eighth];
}

} // namespace

std::optional<AlertKind> alertFor(const GameEvent& event) {
    switch (event.kind) {
    case EventKind::ClaimRaised:
        if (event.side == Side::Computer) {
            return AlertKind::PlanetUnderAttack;
        }
        break;
    case EventKind::PlanetUndeveloped:
    case EventKind::PlanetLost:
        if (event.side == Side::Player) {
            return AlertKind::PlanetLost;
        }
        break;
    case EventKind::ShipHit:
    case EventKind::RammingHit:
        if (event.side == Side::Player) {
            return AlertKind::ShipsUnderFire;
        }
        break;
    default:
        break;
    }
    return std::nullopt;
}

const char* alertWords(AlertKind kind) {
    switch (kind) {
    case AlertKind::ShipsUnderFire:
        return "Ships under fire";
    case AlertKind::PlanetUnderAttack:
        return "Planet under attack";
    case AlertKind::PlanetLost:
        return "Planet lost";
    }
    return "";
}

std::string alertMessage(const Alert& alert, const Camera& view, const Mat4& projection) {
    std::string words = alertWords(alert.kind);
    if (isOnScreen(alert.position, view, projection)) {
        return words;
    }
    const glm::vec2 away{alert.position.x - view.target.x, alert.position.z - view.target.z};
    return words + ", " + std::to_string(std::lround(glm::length(away))) + " units " +
           directionTo(alert.position, view);
}

AlertList::Place* AlertList::placeNear(Vec3 position) {
    for (Place& place : places_) {
        if (glm::length(place.position - position) < kAlertPlaceRadius) {
            return &place;
        }
    }
    return nullptr;
}

void AlertList::tell(Place& place, AlertKind kind, double now, std::vector<Alert>& told) {
    place.toldAt = now;
    place.told = kind;
    place.waiting.reset();
    told.push_back({kind, place.position, now});
}

std::vector<Alert> AlertList::take(const std::vector<GameEvent>& events, double now) {
    std::vector<Alert> told;
    for (const GameEvent& event : events) {
        const std::optional<AlertKind> kind = alertFor(event);
        if (!kind) {
            continue;
        }
        Place* place = placeNear(event.position);
        if (place == nullptr) {
            places_.push_back({event.position, now, *kind, std::nullopt});
            told.push_back({*kind, event.position, now});
        } else if (now - place->toldAt >= kAlertQuietSeconds) {
            tell(*place, std::max(*kind, place->waiting.value_or(*kind)), now, told);
        } else if (place->toldAt == now && *kind > place->told) {
            // Several events of one frame at one place: the weightiest is told.
            place->told = *kind;
            const auto same = std::find_if(told.rbegin(), told.rend(), [&](const Alert& a) {
                return a.position == place->position;
            });
            if (same != told.rend()) {
                same->kind = *kind;
            }
        } else if (*kind > place->told) {
            place->waiting = std::max(*kind, place->waiting.value_or(*kind));
        }
    }
    for (Place& place : places_) {
        if (place.waiting && now - place.toldAt >= kAlertQuietSeconds) {
            tell(place, *place.waiting, now, told);
        }
    }
    std::erase_if(places_, [now](const Place& p) {
        return !p.waiting && now - p.toldAt >= kAlertQuietSeconds;
    });
    told_.insert(told_.end(), told.begin(), told.end());
    if (told_.size() > kAlertsKept) {
        told_.erase(told_.begin(), told_.end() - kAlertsKept);
    }
    return told;
}

std::optional<Alert> AlertList::latest() const {
    if (told_.empty()) {
        return std::nullopt;
    }
    return told_.back();
}

std::vector<Alert> AlertList::current(double now) const {
    std::vector<Alert> shown;
    std::copy_if(told_.begin(), told_.end(), std::back_inserter(shown),
                 [now](const Alert& a) { return now - a.time < kAlertShownSeconds; });
    return shown;
}

AlertList& gameAlerts() {
    static AlertList alerts;
    return alerts;
}

std::vector<Alert> currentAlerts() {
    return gameAlerts().current(galaxy().elapsedTime);
}

void announceFrameAlerts(double now) {
    const std::vector<Alert> told = gameAlerts().take(frameEvents(), galaxy().elapsedTime);
    for (const Alert& alert : told) {
        gameMessages().post(alertMessage(alert, camera(), renderState().projectionMatrix), now);
    }
    if (!told.empty()) {
        playAlertCue();
    }
}

void jumpToLatestAlert() {
    if (const std::optional<Alert> alert = gameAlerts().latest()) {
        consoleWords().nameNextJump("Camera to the alert");
        jumpCameraTo(alert->position.x, alert->position.y, alert->position.z);
    }
}
