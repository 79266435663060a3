// The application shell's process-wide state, in one record: what the
// keyboard, the mouse, the HUD and the window modes keep between events.
#pragma once

constexpr float kOrderPlaneOff = -1.0f;

struct AppState {
    // F2 hides and shows the HUD.
    bool hudShown = true;
    // Tab hides and shows the overview map; it shows only with the HUD.
    bool overviewMapShown = true;
    // False in window mode (three quarters of the usable screen, as the game
    // starts), true in full-screen mode (the whole usable screen).
    bool fullscreenMode = false;
    // Set by Escape; ends the intro flight. Never cleared.
    bool introSkipped = false;
    // Height of the plane right-click orders aim at; kOrderPlaneOff when off.
    float orderPlaneHeight = kOrderPlaneOff;
    // Stepped and printed by '+' and '#'; nothing else reads it.
    float spawnSpeed = 0.35f;
    // Toggled and printed by L; nothing else reads it.
    bool debugInfo = false;
    // True while the intro flies: the opponent may still be chosen.
    bool introPlaying = false;
    // Set by Enter on the end screen: the next galaxy starts.
    bool newGalaxyAsked = false;
    // Last cursor position in window pixels, origin at the top-left corner.
    int mouseX = 0;
    int mouseY = 0;
};

// The one record of this process.
AppState& appState();
