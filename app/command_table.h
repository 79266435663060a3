// Every key and mouse command of the game in one table. The key handler
// dispatches from it, the asset generator draws the F1 help page from it and
// the README's controls table (and so the manual page) is written from it.
// Plain data on key codes only, so the asset generator reads it without the
// game's code.
#pragma once

#include <span>

#include "platform/keys.h"

// The moment a command acts, in the order the key handler runs them. The
// held and double-tap stages read the key table and only act while the game
// window is open.
enum class Stage : unsigned char {
    HeldSwitch,  // any key event while the key is down, auto-repeat included
    Release,     // the release of the key itself
    HeldTunable, // any key event while the key is down
    DoubleTap,   // the key pressed again within 0.35 s
    Press,       // the press of the key itself; auto-repeat does nothing
    HeldSelect,  // any key event while the key is down
    PressStops,  // the press of the key itself; the handler stops after it
    HeldLayer,   // any key event while the key is down
    FirstPress,  // a press not already seen as a press: no auto-repeat, no doubles
    Polled,      // every frame while the key is down: the camera
    Mouse,       // documented here only; the mouse handler acts on it
};

// What a row does; the key handler maps each to its code. Within a stage,
// commands run in the order of this list: that order decides which wins when
// two of their keys are down at once.
enum class CommandId : unsigned char {
    // Held switches.
    ToggleHelp,
    ToggleLensFlare,
    ToggleTransparency,
    SkipIntro,
    OrderPlaneOff,
    TogglePause,
    // Release commands.
    RaiseOrderPlane,
    LowerOrderPlane,
    ToggleHud,
    ToggleOverviewMap,
    TogglePalette,
    ToggleTradeRoutes,
    SpawnSlower,
    SpawnFaster,
    ToggleLayerGrid,
    ToggleSound,
    ToggleDebugInfo,
    ToggleBloom,
    ToggleWireframe,
    CycleFilter,
    CycleMipmap,
    ToggleCulling,
    BloomWeaker,
    BloomStronger,
    SelectIdleShips,
    // Held tunables.
    MoreRandomness,
    LessRandomness,
    // Control groups, with the digit as the key.
    JumpToGroup,
    StoreGroup,
    RecallGroup,
    JumpToAlert,
    // The game's speed, and a new galaxy and its opponent once a game has ended.
    GameSlower,
    GameFaster,
    NewGalaxy,
    ChooseOpponent,
    // Held selection and layer keys.
    SelectAllShips,
    SelectAllPlanets,
    QuitGame,
    ShowAllLayers,
    ShowLayer, // keypad 1 to 3
    ToggleWindowMode,
    // Camera moves, each at most once a frame.
    PanRight,
    PanLeft,
    PanForward,
    PanBackward,
    RaiseCamera,
    LowerCamera,
    OrbitLeft,
    OrbitRight,
    ZoomIn,
    ZoomOut,
    TiltUp,
    TiltDown,
    MouseHandled, // a mouse row: nothing for the key handler
};

// The sections of the help page and of the README's table, in README order.
enum class Group : unsigned char { Camera, Selection, ControlGroups, Display, Game };

// The left-hand modifiers a row needs down and needs up; right-hand ones
// are never read as modifiers.
enum ModifierBit : unsigned char { kCtrlBit = 1, kShiftBit = 2, kAltBit = 4 };
struct Modifiers {
    unsigned char down = 0;
    unsigned char up = 0;
};

// A key, or a run of consecutive key codes sharing one row (the digits).
struct KeySpan {
    constexpr KeySpan(int key) : first(key), last(key) {}
    constexpr KeySpan(int from, int to) : first(from), last(to) {}
    constexpr bool contains(int key) const { return key >= first && key <= last; }
    int first;
    int last;
};

// `words` is the action as the help page and the README say it; a row with
// no words joins the line above it there (W A S D are one line). Key rows
// show their keys as key caps; a mouse row writes its controls out in
// `mouse`: "[Key]" for a key cap, "{Mouse}" for a mouse action.
struct KeyCommand {
    Group group;
    Stage stage;
    KeySpan keys;
    Modifiers modifiers;
    CommandId command;
    const char* words;
    const char* mouse = nullptr;
};

namespace command_rows {

using enum Group;
using enum Stage;
using enum CommandId;

constexpr Modifiers kAny{};
constexpr Modifiers kCtrl{kCtrlBit, 0};
constexpr Modifiers kAlt{kAltBit, 0};
constexpr Modifiers kNoAlt{0, kAltBit};
constexpr Modifiers kNoCtrl{0, kCtrlBit};
constexpr Modifiers kNoAltCtrl{0, kAltBit | kCtrlBit};
constexpr Modifiers kAltNoCtrl{kAltBit, kCtrlBit};
constexpr Modifiers kNoCtrlShift{0, kCtrlBit | kShiftBit};

constexpr KeyCommand mouse(Group group, const char* controls, const char* words) {
    return {group, Mouse, 0, kAny, MouseHandled, words, controls};
}

inline constexpr KeyCommand kRows[] = {
    {Camera, Polled, 'W', kNoAlt, PanForward, "Pan the view"},
    {Camera, Polled, 'A', kNoAltCtrl, PanLeft, ""},
    {Camera, Polled, 'S', kNoAlt, PanBackward, ""},
    {Camera, Polled, 'D', kNoAlt, PanRight, ""},
    {Camera, Polled, Key::Up, kAny, PanForward, "Pan the view"},
    {Camera, Polled, Key::Left, kAny, PanLeft, ""},
    {Camera, Polled, Key::Down, kAny, PanBackward, ""},
    {Camera, Polled, Key::Right, kAny, PanRight, ""},
    {Camera, Polled, 'Q', kAny, ZoomOut, "Zoom out / in"},
    {Camera, Polled, 'E', kAny, ZoomIn, ""},
    {Camera, Polled, Key::KeypadSubtract, kAny, ZoomOut, ""},
    {Camera, Polled, Key::KeypadAdd, kAny, ZoomIn, ""},
    mouse(Camera, "{Wheel}", "Zoom out / in"),
    {Camera, Polled, 'A', kAltNoCtrl, OrbitLeft, "Orbit left / right"},
    {Camera, Polled, 'D', kAlt, OrbitRight, ""},
    {Camera, Polled, 'W', kAlt, TiltUp, "Tilt up / down"},
    {Camera, Polled, 'S', kAlt, TiltDown, ""},
    {Camera, Polled, Key::PageUp, kAny, TiltUp, "Tilt up / down"},
    {Camera, Polled, Key::PageDown, kAny, TiltDown, ""},
    {Camera, Polled, 'R', kAlt, RaiseCamera, "Raise / lower the camera"},
    {Camera, Polled, 'F', kAlt, LowerCamera, ""},
    mouse(Camera, "{Cursor at edge}", "Scroll the view"),
    mouse(Camera, "[Alt] + {Cursor at edge}", "Orbit the view"),
    mouse(Camera, "{Left click / drag} map", "Move the view there"),

    mouse(Selection, "{Left click}", "Select own ship or planet"),
    mouse(Selection, "{Left drag}", "Select all in the box"),
    mouse(Selection, "[Shift] + {Click / drag}", "Add to the selection"),
    mouse(Selection, "[V] / [<] + {Drag}", "Select ships only"),
    mouse(Selection, "[V] / [<] + [Shift] + {Drag}", "Add own planets only"),
    {Selection, HeldSelect, 'A', kCtrl, SelectAllShips, "Select all your ships"},
    {Selection, HeldSelect, 'Y', kCtrl, SelectAllPlanets, "Select all your planets"},
    {Selection, Release, 'N', kAny, SelectIdleShips, "Idle ships (Shift adds)"},
    mouse(Selection, "{Right click}", "Move ships / set rally point"),
    mouse(Selection, "{Right click} planet", "Open a trade route to it"),
    mouse(Selection, "[Shift] + {Right click}", "Queue waypoints (drawn)"),
    mouse(Selection, "{Right click} map", "Send ships there (Shift queues)"),
    mouse(Selection, "[Ctrl] + {Right click}", "Fire at the enemy ship"),
    mouse(Selection, "[X] + {Left click}", "Fire lasers"),
    {Selection, Release, 'R', kNoAlt, RaiseOrderPlane, "Raise / lower order plane"},
    {Selection, Release, 'F', kNoAlt, LowerOrderPlane, ""},
    {Selection, HeldSwitch, 'C', kAny, OrderPlaneOff, "Order plane off"},
    {Selection,
     HeldLayer,
     {Key::keypad(1), Key::keypad(3)},
     kAny,
     ShowLayer,
     "Show one planet layer"},
    {Selection, HeldLayer, Key::keypad(0), kAny, ShowAllLayers, "All layers, order plane off"},

    {ControlGroups, Press, {'0', '9'}, kCtrl, StoreGroup, "Store the selected ships"},
    {ControlGroups, Press, {'0', '9'}, kNoCtrl, RecallGroup, "Select the group"},
    {ControlGroups, DoubleTap, {'0', '9'}, kNoCtrlShift, JumpToGroup, "Jump to the group"},
    {ControlGroups, Press, Key::Space, kAny, JumpToAlert, "Jump to the latest alert"},

    {Display, HeldSwitch, Key::F1, kAny, ToggleHelp, "This help on / off"},
    {Display, Release, Key::function(2), kAny, ToggleHud, "Messages and status on / off"},
    {Display, Release, Key::Tab, kAny, ToggleOverviewMap, "Overview map on / off"},
    {Display, Release, Key::function(3), kAny, ToggleWireframe, "Wireframe ships"},
    {Display, Release, Key::function(4), kAny, CycleFilter, "Texture filter: linear / nearest"},
    {Display, Release, Key::function(5), kAny, CycleMipmap, "Mipmaps: off / linear / nearest"},
    {Display, Release, Key::function(6), kAny, TogglePalette, "Colours: standard / red-green safe"},
    {Display, Release, Key::function(8), kAny, ToggleCulling, "Frustum culling on / off"},
    {Display, HeldSwitch, Key::function(9), kAny, ToggleTransparency, "Transparency on / off"},
    {Display, Release, Key::function(10), kAny, ToggleBloom, "Bloom on / off"},
    {Display, Release, ',', kAny, BloomWeaker, "Bloom weaker / stronger"},
    {Display, Release, '.', kAny, BloomStronger, ""},
    {Display, HeldSwitch, Key::function(11), kAny, ToggleLensFlare, "Lens flare on / off"},
    {Display, Release, 'Z', kAny, ToggleTradeRoutes, "Trade routes on / off"},
    {Display, Release, 'G', kAny, ToggleLayerGrid, "Layer grid on / off"},
    {Display, Release, 'L', kAny, ToggleDebugInfo, "Debug info on / off"},

    {Game, HeldSwitch, 'P', kAny, TogglePause, "Pause / resume"},
    {Game, Release, 'M', kAny, ToggleSound, "Sound on / off"},
    {Game, HeldSwitch, Key::Escape, kAny, SkipIntro, "Skip the intro flight"},
    // T and U sit either side of one key on US and German keyboards alike;
    // '[' and ']' need AltGr on a German one, which types a digit's group key.
    {Game, Press, 'T', kAny, GameSlower, "Game speed slower / faster"},
    {Game, Press, 'U', kAny, GameFaster, ""},
    // B has the same place on US and German keyboards and no other command.
    {Game, Press, Key::Enter, kNoAlt, NewGalaxy, "New galaxy / next opponent (end screen)"},
    {Game, Press, 'B', kAny, ChooseOpponent, ""},
    {Game, FirstPress, Key::Enter, kAlt, ToggleWindowMode, "Full screen / window"},
    {Game, PressStops, Key::function(4), kAlt, QuitGame, "Quit the game"},
    {Game, HeldTunable, 'O', kAny, MoreRandomness, "Attack randomness ±10"},
    {Game, HeldTunable, 'I', kAny, LessRandomness, ""},
    {Game, Release, '+', kAny, SpawnFaster, "Spawn speed readout ±0.3"},
    {Game, Release, '#', kAny, SpawnSlower, ""},
    {Game, Release, 'K', kAny, SpawnFaster, "Spawn speed readout ±0.3"},
    {Game, Release, 'J', kAny, SpawnSlower, ""},
};

// Every command has a key row, and a row joining the line above can be shown
// on it: a key row of the same group needing the same modifiers down.
constexpr bool wellFormed() {
    for (int id = 0; id < static_cast<int>(MouseHandled); ++id) {
        bool keyed = false;
        for (const KeyCommand& row : kRows) {
            keyed = keyed || static_cast<int>(row.command) == id;
        }
        if (!keyed) {
            return false;
        }
    }
    const KeyCommand* lineStart = &kRows[0];
    for (const KeyCommand& row : kRows) {
        if (*row.words != '\0') {
            lineStart = &row;
        } else if (row.group != lineStart->group || row.stage == Mouse ||
                   lineStart->stage == Mouse || row.modifiers.down != lineStart->modifiers.down) {
            return false;
        }
    }
    return true;
}
static_assert(wellFormed());

} // namespace command_rows

constexpr std::span<const KeyCommand> keyCommands() {
    return command_rows::kRows;
}
