// Key codes and the table of keys held down. Printable keys are the
// upper-cased character they type ('A' is 65, '#' is 35); special keys are
// numbered from 256. Right-hand modifiers have codes of their own and are
// never read as modifiers. No windowing library is needed here, so tests
// write the table directly.
#pragma once

namespace Key {
constexpr int Space = 32;
constexpr int Special = 256;
constexpr int Escape = 257;
constexpr int F1 = 258; // F1 to F25 follow in order
constexpr int Up = 283;
constexpr int Down = 284;
constexpr int Left = 285;
constexpr int Right = 286;
constexpr int LeftShift = 287;
constexpr int RightShift = 288;
constexpr int LeftCtrl = 289;
constexpr int RightCtrl = 290;
constexpr int LeftAlt = 291;
constexpr int RightAlt = 292;
constexpr int Tab = 293;
constexpr int Enter = 294;
constexpr int Backspace = 295;
constexpr int Insert = 296;
constexpr int Delete = 297;
constexpr int PageUp = 298;
constexpr int PageDown = 299;
constexpr int Home = 300;
constexpr int End = 301;
constexpr int Keypad0 = 302; // keypad 0 to 9 follow in order
constexpr int KeypadDivide = 312;
constexpr int KeypadMultiply = 313;
constexpr int KeypadSubtract = 314;
constexpr int KeypadAdd = 315;
constexpr int KeypadDecimal = 316;
constexpr int KeypadEqual = 317;
constexpr int KeypadEnter = 318;
constexpr int Last = KeypadEnter;

constexpr int function(int n) {
    return F1 + n - 1;
}
constexpr int keypad(int digit) {
    return Keypad0 + digit;
}
} // namespace Key

namespace KeyAction {
constexpr int Release = 0;
constexpr int Press = 1;
} // namespace KeyAction

namespace MouseButton {
constexpr int Left = 0;
constexpr int Right = 1;
constexpr int Middle = 2;
} // namespace MouseButton

bool isKeyDown(int key);
void setKeyDown(int key, bool down);
void releaseAllKeys();
