#include "render/palette.h"

#include "render/planet_pass.h"

namespace {

// The colours the game has always had. Tints above 1 are bright on
// purpose: the bloom takes what exceeds 1.
Palette standardPalette() {
    Palette p;
    p.shipSelected = {2.5f, 0.5f, 0.0f, 1.0f};
    p.shipAtForeignPlanet = {0.0f, 1.0f, 0.0f, 1.0f};
    p.shipIdle = {0.6f, 0.8f, 1.0f, 1.0f};
    p.playerBolt = {0.15f, 1.0f, 0.3f, 1.0f};
    p.computerBolt = {1.0f, 0.22f, 0.12f, 1.0f};
    p.playerIcon = {0.25f, 0.55f, 1.0f, 1.0f};
    p.selectedIcon = {1.0f, 0.85f, 0.35f, 1.0f};
    p.computerIcon = {1.0f, 0.25f, 0.2f, 1.0f};
    p.markerProgress = MarkerColor::Progress;
    p.markerNear = MarkerColor::Near;
    p.markerMiddle = MarkerColor::Middle;
    p.markerFar = MarkerColor::Far;
    p.markerTooFar = MarkerColor::TooFar;
    p.markerUnpaid = MarkerColor::Unpaid;
    p.markerNoRoute = MarkerColor::NoRoute;
    p.playerText = {0.45f, 1.0f, 0.5f, 1.0f};
    p.computerText = {1.0f, 0.4f, 0.35f, 1.0f};
    return p;
}

// Sides become blue and orange; a selected ship turns yellow and one at a
// foreign planet magenta, both far from the computer's red hulls; the bead
// where production stands turns white.
Palette redGreenSafePalette() {
    Palette p = standardPalette();
    p.shipSelected = {2.5f, 2.1f, 0.5f, 1.0f};
    p.shipAtForeignPlanet = {0.9f, 0.1f, 0.6f, 1.0f};
    p.playerBolt = {0.2f, 0.55f, 1.0f, 1.0f};
    p.computerBolt = {1.0f, 0.55f, 0.05f, 1.0f};
    p.selectedIcon = {1.0f, 1.0f, 1.0f, 1.0f};
    p.computerIcon = {1.0f, 0.5f, 0.05f, 1.0f};
    p.markerProgress = {1.5f, 1.5f, 1.5f, 1.0f};
    p.playerText = {0.45f, 0.7f, 1.0f, 1.0f};
    p.computerText = {1.0f, 0.6f, 0.2f, 1.0f};
    return p;
}

const Palette kStandard = standardPalette();
const Palette kRedGreenSafe = redGreenSafePalette();

PaletteKind active = PaletteKind::Standard;

} // namespace

const Palette& paletteOf(PaletteKind kind) {
    return kind == PaletteKind::Standard ? kStandard : kRedGreenSafe;
}

const Palette& activePalette() {
    return paletteOf(active);
}

const char* togglePalette() {
    active = active == PaletteKind::Standard ? PaletteKind::RedGreenSafe : PaletteKind::Standard;
    return active == PaletteKind::Standard ? "Colours: standard" : "Colours: red-green safe";
}

Material tintMaterial(const glm::vec4& tint) {
    Material material;
    material.ambientColor = Vec4{1.0f};
    material.diffuseColor = tint;
    material.specularColor = Vec4{1.0f};
    material.specularExponent = 0.5f;
    return material;
}
