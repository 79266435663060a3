#include "sim/line_of_fire.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSlices = 64;
// Silhouettes are widened by this angle (radians) on each side, and their
// radius by this share of distance squared over radius: together these dwarf
// the rounding of the exact test for rays grazing a planet, near or far.
constexpr float kMarginAngle = 0.01f;
constexpr float kMarginPerDistanceSquared = 1e-5f;
// A planet whose silhouette is this wide or wider may block any direction.
constexpr float kWideSine = 0.9f;

// A monotonic stand-in for the compass angle of (x, z), in [0, 4), without
// trigonometry.
float pseudoAngle(float x, float z) {
    if (z >= 0.0f) {
        return x >= 0.0f ? z / (x + z) : 1.0f - x / (z - x);
    }
    return x < 0.0f ? 2.0f - z / (-x - z) : 3.0f + x / (x - z);
}

int sliceOf(float x, float z) {
    const int slice = static_cast<int>(pseudoAngle(x, z) * (kSlices / 4.0f));
    return std::clamp(slice, 0, kSlices - 1);
}

struct Screen {
    std::vector<PlanetSighting> everywhere;           // may block any direction
    std::vector<std::vector<PlanetSighting>> bySlice; // may block within a slice
};

Screen& screen() {
    static Screen instance;
    return instance;
}

bool clearOf(Vec3 direction, const std::vector<PlanetSighting>& sightings) {
    return std::none_of(sightings.begin(), sightings.end(), [direction](const auto& sighting) {
        return rayMeetsPlanet(direction, sighting);
    });
}

} // namespace

PlanetSighting::PlanetSighting(Vec3 origin, const Planet& planet)
    : fromCentre(origin - planet.position),
      c(glm::dot(fromCentre, fromCentre) - planet.radius * planet.radius) {}

bool rayMeetsPlanet(Vec3 direction, const PlanetSighting& sighting) {
    // a t² + b t + c = 0 has real roots, the larger not behind the origin:
    // either the planet lies ahead (b ≤ 0) or the origin is inside it (c ≤ 0).
    const float a = glm::dot(direction, direction);
    const float b = 2.0f * glm::dot(direction, sighting.fromCentre);
    const float c = sighting.c;
    if (a == 0.0f) {
        return c <= 0.0f; // no direction at all: only from inside
    }
    return b * b - 4.0f * a * c >= 0.0f && (b <= 0.0f || c <= 0.0f);
}

LineOfFire::LineOfFire(Vec3 shooter, bool sorted) : origin_(shooter), sorted_(sorted) {}

bool LineOfFire::isClear(Vec3 point) {
    const Vec3 direction = point - origin_;
    if (!sorted_ || (direction.x == 0.0f && direction.z == 0.0f)) {
        return std::none_of(galaxy().planets.begin(), galaxy().planets.end(),
                            [this, direction](const auto& planet) {
                                return rayMeetsPlanet(direction, PlanetSighting(origin_, *planet));
                            });
    }
    if (!ready_) {
        sortPlanets();
    }
    const Screen& s = screen();
    return clearOf(direction, s.everywhere) &&
           clearOf(direction,
                   s.bySlice[static_cast<std::size_t>(sliceOf(direction.x, direction.z))]);
}

// Seen from above, a planet at horizontal offset w (length h) covers the
// directions within asin(R / h) of w; the edges of that fan, widened by the
// margins, are w turned both ways.
void LineOfFire::sortPlanets() {
    ready_ = true;
    Screen& s = screen();
    s.everywhere.clear();
    s.bySlice.resize(kSlices);
    for (auto& slice : s.bySlice) {
        slice.clear();
    }
    static const float cosMargin = std::cos(kMarginAngle);
    static const float sinMargin = std::sin(kMarginAngle);
    for (const auto& planet : galaxy().planets) {
        const PlanetSighting sighting(origin_, *planet);
        const float wx = planet->position.x - origin_.x;
        const float wz = planet->position.z - origin_.z;
        const float h = std::sqrt(wx * wx + wz * wz);
        const float distanceSquared = sighting.c + planet->radius * planet->radius;
        const float radius =
            planet->radius + kMarginPerDistanceSquared * distanceSquared / planet->radius;
        const float sine = h > 0.0f ? radius / h : 1.0f;
        if (!(sine < kWideSine)) {
            s.everywhere.push_back(sighting);
            continue;
        }
        const float cosine = std::sqrt(1.0f - sine * sine);
        // The fan's half angle plus the margin.
        const float cosHalf = cosine * cosMargin - sine * sinMargin;
        const float sinHalf = sine * cosMargin + cosine * sinMargin;
        const int first = sliceOf(wx * cosHalf + wz * sinHalf, wz * cosHalf - wx * sinHalf);
        const int last = sliceOf(wx * cosHalf - wz * sinHalf, wz * cosHalf + wx * sinHalf);
        for (int slice = first;; slice = (slice + 1) % kSlices) {
            s.bySlice[static_cast<std::size_t>(slice)].push_back(sighting);
            if (slice == last) {
                break;
            }
        }
    }
}
