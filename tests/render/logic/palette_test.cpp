// Colours that tell sides and states apart, seen with deuteranopia and
// protanopia (Machado et al. 2009, severity 1, on linear RGB), stay 20 apart
// in CIELAB in the safe palette; the standard one fails somewhere.
#include <cmath>

#include <gtest/gtest.h>

#include "render/palette.h"

namespace {

// Row by row; GLM fills columns, hence the transposes.
const glm::mat3 kDeuteranopia =
    glm::transpose(glm::mat3{0.367322f, 0.860646f, -0.227968f, 0.280085f, 0.672501f, 0.047413f,
                             -0.011820f, 0.042940f, 0.968881f});
const glm::mat3 kProtanopia =
    glm::transpose(glm::mat3{0.152286f, 1.052583f, -0.204868f, 0.114503f, 0.786281f, 0.099216f,
                             -0.003882f, -0.048116f, 1.051998f});
const glm::mat3 kLinearToXyz = glm::transpose(
    glm::mat3{0.4124f, 0.3576f, 0.1805f, 0.2126f, 0.7152f, 0.0722f, 0.0193f, 0.1192f, 0.9505f});

// The colour the window shows (above 1 it saturates at its hue), as seen.
glm::vec3 lab(glm::vec4 colour, const glm::mat3& vision) {
    glm::vec3 c{colour};
    c = glm::clamp(c / std::max({1.0f, c.r, c.g, c.b}), 0.0f, 1.0f);
    for (int i = 0; i < 3; ++i)
        c[i] = c[i] <= 0.04045f ? c[i] / 12.92f : std::pow((c[i] + 0.055f) / 1.055f, 2.4f);
    glm::vec3 f =
        kLinearToXyz * glm::clamp(vision * c, 0.0f, 1.0f) / glm::vec3{0.95047f, 1.0f, 1.08883f};
    for (int i = 0; i < 3; ++i)
        f[i] = f[i] > 0.008856f ? std::cbrt(f[i]) : 7.787f * f[i] + 16.0f / 116.0f;
    return {116.0f * f.y - 16.0f, 500.0f * (f.x - f.y), 200.0f * (f.y - f.z)};
}

const glm::vec4 kEnemyHull{1.0f, 0.0f, 0.0f, 1.0f}; // as spawned; stands in for a missing b
struct Pair {
    const char* what;
    glm::vec4 Palette::*a;
    glm::vec4 Palette::*b;
};
const Pair kMustDiffer[] = {
    {"ship selected / at a foreign planet", &Palette::shipSelected, &Palette::shipAtForeignPlanet},
    {"ship selected / idle", &Palette::shipSelected, &Palette::shipIdle},
    {"ship at a foreign planet / idle", &Palette::shipAtForeignPlanet, &Palette::shipIdle},
    {"ship at a foreign planet / enemy hull", &Palette::shipAtForeignPlanet, nullptr},
    {"ship selected / enemy hull", &Palette::shipSelected, nullptr},
    {"bolts", &Palette::playerBolt, &Palette::computerBolt},
    {"icons and bars", &Palette::playerIcon, &Palette::computerIcon},
    {"icon selected / player", &Palette::selectedIcon, &Palette::playerIcon},
    {"icon selected / computer", &Palette::selectedIcon, &Palette::computerIcon},
    {"bead progress / near", &Palette::markerProgress, &Palette::markerNear},
    {"bead progress / middle", &Palette::markerProgress, &Palette::markerMiddle},
    {"bead progress / far", &Palette::markerProgress, &Palette::markerFar},
    {"bead progress / too far", &Palette::markerProgress, &Palette::markerTooFar},
    {"bead middle / far", &Palette::markerMiddle, &Palette::markerFar},
    {"bead unpaid / no route", &Palette::markerUnpaid, &Palette::markerNoRoute},
    {"side words", &Palette::playerText, &Palette::computerText},
};

TEST(PaletteTest, RedGreenSafeColoursStayApartForDeuteranopesAndProtanopes) {
    int standardFailures = 0;
    for (const Pair& pair : kMustDiffer) {
        for (const PaletteKind kind : {PaletteKind::Standard, PaletteKind::RedGreenSafe}) {
            const Palette& p = paletteOf(kind);
            const glm::vec4 b = pair.b != nullptr ? p.*pair.b : kEnemyHull;
            const float deutan =
                glm::distance(lab(p.*pair.a, kDeuteranopia), lab(b, kDeuteranopia));
            const float protan = glm::distance(lab(p.*pair.a, kProtanopia), lab(b, kProtanopia));
            const bool safe = kind == PaletteKind::RedGreenSafe;
            const bool apart = std::min(deutan, protan) >= 20.0f;
            standardFailures += !safe && !apart;
            EXPECT_TRUE(apart || !safe) << pair.what << ": " << deutan << " " << protan;
        }
    }
    EXPECT_GT(standardFailures, 0);
}

} // namespace
