// The two full-screen passes that end every frame: bloom blurs the glow
// into the bloom target, and the composite puts scene, bloom and the
// help, defeat or victory image onto the window.
#pragma once

// The image laid over the finished frame. "helpEnabled" tells the composite
// shader which one: 1 none, 2 help, 3 defeat, 4 victory.
struct Overlay {
    float helpEnabled;
    int textureKey; // 0 for none
};

// Victory wins over defeat, and both over the help image.
Overlay chooseOverlay(bool victorious, bool defeated, bool showHelp);

// Blurs the glow attachment into the bloom target, or blackens that target
// when the bloom shader failed to build. Leaves the target's framebuffer
// bound and the viewport at the window's size.
void runBloomPass();

// Blackens the bloom target, for frames drawn with bloom off.
void clearBloom();

// Draws scene plus bloom plus overlay into the bound framebuffer.
void runCompositePass();
