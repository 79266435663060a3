// The defeat and victory screens: a painted scene built from the game's own
// planets and ship models, with the outcome in large type.
#include <cmath>

#include "noise.h"
#include "planets.h"
#include "render.h"
#include "screen_art.h"
#include "screens.h"
#include "ships.h"
#include "sprites.h"
#include "text.h"

namespace assetgen {

using glm::vec2;
using glm::vec3;

namespace {

Mesh fullShip() {
    Mesh ship = makeHullHigh();
    ship.append(makeTurret());
    return ship;
}

void drawShip(Image& image, const Mesh& ship, const Image& plating, vec2 at, float scale, float yaw,
              float pitch, Color tint, vec3 light) {
    MeshView view;
    view.rotation = viewRotation(yaw, pitch);
    view.scale = scale;
    view.centre = at;
    view.tint = tint;
    view.light = light;
    view.texture = &plating;
    drawMesh(image, ship, view);
}

// Glowing fragments scattered around a wreck.
void scatterDebris(Image& image, vec2 centre, float spread, unsigned seed) {
    Rng rng(seed);
    for (int i = 0; i < 40; ++i) {
        const vec2 p = centre + vec2(rng.range(-1, 1), rng.range(-0.6f, 0.6f)) * spread;
        const float angle = rng.range(0, 6.28f), len = rng.range(2, 9);
        const vec2 d(std::cos(angle) * len, std::sin(angle) * len);
        image.drawLine(p.x, p.y, p.x + d.x, p.y + d.y, rng.range(1.0f, 2.5f), hexColor(0x2a2220));
        if (rng.uniform() < 0.5f)
            addGlow(image, p.x, p.y, rng.range(2, 6), hexColor(0xff7a20, 0.8f));
    }
}

void drawCaption(Image& image, TextRenderer& text, const char* title, const char* line, float x,
                 float hintX, Color titleColor, Color glow) {
    drawGlowText(image, text, title, x, 170, FontFace::SansBold, 112, titleColor, glow,
                 Align::Centre);
    text.draw(image, line, x, 228, FontFace::Sans, 30, hexColor(0xf2f2f2), Align::Centre);
    text.draw(image, "Close the window to leave the game", hintX, kScreenHeight - 30,
              FontFace::Condensed, 18, hexColor(0x9aa4b0), Align::Centre);
}

} // namespace

Image makeVictoryScreen() {
    Image image(kScreenWidth, kScreenHeight);
    paintStarfield(image, hexColor(0x02040a), hexColor(0x081427), 160, 900);
    addGlow(image, 260, 220, 320, hexColor(0x3a1a5a, 0.5f));
    addGlow(image, 1200, 120, 280, hexColor(0x0f3f55, 0.5f));

    // Dawn over the home world: the sun is just rising behind its northern limb.
    const Image world = planetTexture(4);
    const Image lights = makePlanetNight();
    PlanetView planet{vec2(900, 1180), 720};
    planet.light = glm::normalize(vec3(-0.25f, 0.65f, -0.45f));
    planet.spinDeg = 200;
    planet.tiltDeg = 10;
    planet.night = &lights;
    drawPlanet(image, world, planet);
    addGlow(image, 640, 492, 12, hexColor(0xffffff, 1.0f));
    addGlow(image, 640, 492, 70, hexColor(0xffc070, 0.45f));
    addGlow(image, 640, 492, 360, hexColor(0xff9040, 0.12f));
    for (int y = 480; y < 505; ++y) // anamorphic streak of the rising sun
        for (int x = 0; x < kScreenWidth; ++x)
            image.addLight(x, y, hexColor(0xffd8a0),
                           0.35f * std::exp(-std::abs(x - 640.0f) / 200.0f) *
                               std::exp(-std::pow((y - 492.0f) / 3.0f, 2.0f)));

    // The victorious fleet sweeping past.
    const Mesh ship = fullShip();
    const Image plating = makeHullPlating();
    const Color playerBlue(0.62f, 0.8f, 1.0f, 1.0f);
    const vec3 light = glm::normalize(vec3(-0.5f, 0.7f, -0.2f));
    drawShip(image, ship, plating, vec2(1260, 320), 0.28f, -145, 18, playerBlue, light);
    drawShip(image, ship, plating, vec2(1110, 420), 0.42f, -145, 18, playerBlue, light);
    drawShip(image, ship, plating, vec2(1330, 470), 0.55f, -145, 18, playerBlue, light);
    drawShip(image, ship, plating, vec2(1010, 600), 0.95f, -145, 18, playerBlue, light);

    TextRenderer text;
    drawCaption(image, text, "VICTORY", "The enemy is broken. The galaxy is yours.", 470, 150,
                hexColor(0xffe08a), hexColor(0xffa028, 0.9f));
    return image;
}

Image makeDefeatScreen() {
    Image image(kScreenWidth, kScreenHeight);
    paintStarfield(image, hexColor(0x090203), hexColor(0x1c0606), 170, 600);
    addGlow(image, 430, 480, 420, hexColor(0x801808, 0.45f));

    // The last home world burns.
    const Image lava = planetTexture(5);
    PlanetView planet{vec2(430, 480), 290};
    planet.light = glm::normalize(vec3(0.75f, 0.3f, 0.6f));
    planet.spinDeg = 40;
    planet.tiltDeg = 20;
    planet.atmosphere = Color(1.0f, 0.35f, 0.1f, 1.0f);
    drawPlanet(image, lava, planet);

    const Mesh ship = fullShip();
    const Image plating = makeHullPlating();
    const vec3 light = glm::normalize(vec3(-0.8f, 0.2f, 0.5f));
    // Wrecks of the player's fleet tumbling in front of the planet.
    const Color wreck(0.35f, 0.33f, 0.36f, 1.0f);
    drawShip(image, ship, plating, vec2(250, 250), 0.35f, 60, -55, wreck, light);
    scatterDebris(image, vec2(250, 250), 90, 171);
    drawShip(image, ship, plating, vec2(640, 650), 0.5f, 200, 70, wreck, light);
    scatterDebris(image, vec2(640, 650), 120, 172);
    addGlow(image, 650, 640, 30, hexColor(0xff6a10, 0.9f));
    // The enemy's warships hold the sky.
    const Color enemyRed(1.0f, 0.42f, 0.35f, 1.0f);
    drawShip(image, ship, plating, vec2(1240, 520), 0.95f, -30, 15, enemyRed,
             glm::normalize(vec3(-0.9f, 0.3f, 0.4f)));
    drawShip(image, ship, plating, vec2(1000, 330), 0.45f, -30, 15, enemyRed,
             glm::normalize(vec3(-0.9f, 0.3f, 0.4f)));

    TextRenderer text;
    drawCaption(image, text, "DEFEAT", "Your empire got crushed.", 1000, 1000, hexColor(0xff5a48),
                hexColor(0xff1a00, 0.9f));
    return image;
}

} // namespace assetgen
