#include "app/planet_card.h"

#include <algorithm>
#include <cmath>

#include "render/palette.h"
#include "sim/production.h"

namespace {

constexpr glm::vec4 kCardColor{0.88f, 0.93f, 1.0f, 1.0f};

struct Pointed {
    const Planet* planet = nullptr;
    double since = 0.0;
};

Pointed pointed;

glm::vec4 sideColor(Side side) {
    const Palette& palette = activePalette();
    return side == Side::Player     ? palette.playerText
           : side == Side::Computer ? palette.computerText
                                    : kCardColor;
}

// Whole seconds, rounded up: a countdown reads 1 until the moment it ends.
std::string seconds(double value) {
    return std::to_string(static_cast<long>(std::ceil(std::max(0.0, value)))) + " s";
}

// Rounded down, so a claim never shows the 99 % that develops a planet
// before it does; it falls a little below 0 while the other side holds it.
std::string percent(double claim) {
    return std::to_string(static_cast<int>(std::clamp(claim, 0.0, 100.0))) + " %";
}

void addProduction(std::vector<TextLine>& lines, const Planet& planet) {
    if (planet.hasRoute()) {
        const Planet& target = *planet.routeTarget;
        const bool pays = hasWorkingRoute(planet);
        lines.push_back({"Route to " + sideWord(target.owner) + ", " +
                             std::to_string(planet.routeLength) + " units away" +
                             (pays ? "" : " (pays nothing)"),
                         sideColor(target.owner)});
        if (pays) {
            lines.push_back({"Progress " + std::to_string(planet.productionProgress) + " of " +
                                 std::to_string(planet.routeLength + 1) + ", next delivery in " +
                                 seconds(secondsToNextDelivery(planet)),
                             kCardColor});
        }
    }
    const double nextShip = secondsToNextShip(planet);
    if (nextShip >= 0.0) {
        lines.push_back({"Next ship in " + seconds(nextShip), kCardColor});
    } else if (!isEstablished(planet)) {
        lines.push_back({"No ships until developed", kCardColor});
    }
}

} // namespace

std::string sideWord(Side side) {
    return side == Side::Player ? "you" : side == Side::Computer ? "enemy" : "nobody";
}

std::vector<TextLine> planetCardLines(const Planet& planet) {
    std::vector<TextLine> lines;
    lines.push_back({"Owner: " + sideWord(planet.owner) +
                         (isEstablished(planet) ? ", developed" : ", not developed"),
                     sideColor(planet.owner)});
    lines.push_back(
        {"Claim: you " + percent(planet.playerClaim) + ", enemy " + percent(planet.computerClaim),
         kCardColor});
    addProduction(lines, planet);
    if (planet.incomingRoutes > 0 || planet.shipQueue > 0) {
        lines.push_back({"Incoming routes: " + std::to_string(planet.incomingRoutes) +
                             ", ships in queue: " + std::to_string(planet.shipQueue),
                         kCardColor});
    }
    return lines;
}

const Planet* cardPlanet(const Planet* underPointer, double now) {
    if (underPointer != pointed.planet) {
        pointed = {underPointer, now};
    }
    if (pointed.planet != nullptr && now - pointed.since >= kCardHoverSeconds) {
        return pointed.planet;
    }
    const Planet* selected = nullptr;
    for (const auto& planet : galaxy().planets) {
        if (planet->selected) {
            if (selected != nullptr) {
                return nullptr;
            }
            selected = planet.get();
        }
    }
    return selected;
}

void resetPlanetCard() {
    pointed = Pointed{};
}
