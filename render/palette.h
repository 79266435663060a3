// The colours that tell the sides and states apart: the standard ones, and
// a set that players who confuse red and green can tell apart (blue against
// orange, yellow and white against red). F6 switches; every start uses the
// standard colours.
#pragma once

#include <glm/glm.hpp>

// Colours are RGBA; the shaders take the bolt and icon colours as RGB.
struct Palette {
    // The player's ship tints: selected, standing at a planet it does not
    // own, anything else.
    glm::vec4 shipSelected;
    glm::vec4 shipAtForeignPlanet;
    glm::vec4 shipIdle;
    // Bolts of each side.
    glm::vec4 playerBolt;
    glm::vec4 computerBolt;
    // Far ship icons and the claim bars.
    glm::vec4 playerIcon;
    glm::vec4 selectedIcon;
    glm::vec4 computerIcon;
    // Trade-route beads: where production stands, then the bands from 15
    // on, and the beads of a route that earns nothing or is no route.
    glm::vec4 markerProgress;
    glm::vec4 markerNear;
    glm::vec4 markerMiddle;
    glm::vec4 markerFar;
    glm::vec4 markerTooFar;
    glm::vec4 markerUnpaid;
    glm::vec4 markerNoRoute;
    // Side words in the on-screen text.
    glm::vec4 playerText;
    glm::vec4 computerText;
};

enum class PaletteKind { Standard, RedGreenSafe };

const Palette& paletteOf(PaletteKind kind);

// The palette the frame is drawn with.
const Palette& activePalette();

// Standard to red-green safe and back; returns the line F6 prints.
const char* togglePalette();

struct Material;

// The material a planet or ship wears for its tint: the tint as diffuse
// colour under white ambient and specular light, with a broad highlight.
Material tintMaterial(const glm::vec4& tint);
