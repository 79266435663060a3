#include "assets.h"

#include "flares.h"
#include "glyph_atlas.h"
#include "planets.h"
#include "screens.h"
#include "ships.h"
#include "sky.h"
#include "sprites.h"

namespace assetgen {

namespace {

ImageAsset planet(int kind) {
    return {"planet" + std::to_string(kind) + ".bmp", FileFormat::Bmp, false,
            [kind] { return planetTexture(kind); }};
}

ImageAsset flare(std::string file, FileFormat format, FlareShape shape) {
    return {std::move(file), format, false, [shape] { return makeFlare(shape); }};
}

} // namespace

const std::vector<ImageAsset>& imageAssets() {
    static const std::vector<ImageAsset> assets{
        planet(1),
        planet(2),
        planet(3),
        planet(4),
        planet(5),
        planet(6),
        {"planet4_night.bmp", FileFormat::Bmp, false, makePlanetNight},
        {"Progress.bmp", FileFormat::Bmp, false, makeClaimBar},
        {"shiphull.jpg", FileFormat::Jpeg, false, makeHullPlating},
        {"BackgroundStars.png", FileFormat::Png, false, makeStarBackground},
        {"abstractShipPlayer.tif", FileFormat::Tiff, true, makePlayerIcon},
        {"abstractShipComputer.tif", FileFormat::Tiff, true, makeComputerIcon},
        {"lasertest.tif", FileFormat::Tiff, true, makeLaserBolt},
        {"Sun.bmp", FileFormat::Bmp, false, makeSun},
        flare("Flare1.bmp", FileFormat::Bmp, FlareShape::Glow),
        flare("Flare2.bmp", FileFormat::Bmp, FlareShape::Ring),
        flare("Flare3.bmp", FileFormat::Bmp, FlareShape::Hexagon),
        flare("Flare4.bmp", FileFormat::Bmp, FlareShape::Ghost),
        flare("flare01.bmp", FileFormat::Bmp, FlareShape::Octagon),
        flare("flare02.png", FileFormat::Png, FlareShape::Streak),
        flare("flare03.png", FileFormat::Png, FlareShape::DoubleRing),
        flare("flare04.png", FileFormat::Png, FlareShape::Pentagon),
        flare("flare05.png", FileFormat::Png, FlareShape::Sparkle6),
        flare("flare06.png", FileFormat::Png, FlareShape::WideHalo),
        flare("flare07.png", FileFormat::Png, FlareShape::Heptagon),
        flare("flare08.png", FileFormat::Png, FlareShape::Sparkle4),
        flare("flare09.png", FileFormat::Png, FlareShape::RainbowRing),
        flare("flare10.png", FileFormat::Png, FlareShape::HotSpot),
        {"lensstar.bmp", FileFormat::Bmp, false, makeLensStar},
        {"keyboardlayoutTemplate.bmp", FileFormat::Bmp, false, makeHelpScreen},
        {"lost.bmp", FileFormat::Bmp, false, makeDefeatScreen},
        {"victoryscreen.bmp", FileFormat::Bmp, false, makeVictoryScreen},
        {"glyphs.png", FileFormat::Png, true, makeGlyphAtlas},
    };
    return assets;
}

const std::vector<ModelAsset>& modelAssets() {
    static const std::vector<ModelAsset> assets{
        {"spaceshipsmallHIGH.obj", makeHullHigh},       {"spaceshipsmallLOW.obj", makeHullLow},
        {"spaceshipsmallFAR.obj", makeHullFar},         {"spaceshipsmallturret.obj", makeTurret},
        {"spaceshipsmallturretLOW.obj", makeTurretLow},
    };
    return assets;
}

} // namespace assetgen
