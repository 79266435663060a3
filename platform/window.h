// The window layer: the only code that talks to the windowing library. It
// gives the game one window with an OpenGL 3.2 core context, the key codes
// and key table of platform/keys.h, an accumulated integer wheel position, the
// clock, and input callbacks.
#pragma once

#include <functional>

struct WindowSize {
    int width = 0;
    int height = 0;
};

using KeyHandler = std::function<void(int key, int action)>;
using MouseButtonHandler = std::function<void(int button, int action)>;
using MousePositionHandler = std::function<void(int x, int y)>;
using MouseWheelHandler = std::function<void(int position)>;
using WindowSizeHandler = std::function<void(int width, int height)>;
using FocusLossHandler = std::function<void()>;
// The character a printable key types on the keyboard layout in use, named
// from the windowing library's key and scancode; null for keys without one.
using KeyNameLookup = std::function<const char*(int libraryKey, int scancode)>;
// A test's stand-in for the player: runs once a frame, with the frame drawn
// and not yet shown, and after every wait for events (`waiting`) while the
// game waits for its window to close.
using EventHook = std::function<void(bool waiting)>;

// Three quarters of the usable screen, each side truncated toward zero.
WindowSize gameWindowSize(WindowSize usableScreen);

bool initWindowing();
void terminateWindowing();

// Opens the game window (OpenGL 3.2 core, 4x multisampling, 24 depth and
// 8 stencil bits) at gameWindowSize of the usable screen and makes its
// context current. False when no window could be opened.
bool openGameWindow();
void setWindowTitle(const char* title);

// The primary monitor's work area; (0, 0) without a monitor.
WindowSize usableScreenSize();
// The window's client size as the windowing library has it; without a
// window, the last size injectWindowSize gave, (0, 0) before any.
WindowSize currentWindowSize();
void resizeWindow(WindowSize size);

// The window exists and has not been asked to close.
bool isWindowOpen();
// The window was asked to close (Alt+F4, the close button) and is going.
bool isWindowCloseRequested();
bool isWindowIconified();
void requestWindowClose();

void swapBuffersAndPollEvents();
// Sleeps until an event arrives or a short while passes, then handles it.
void waitWindowEvents();

// Seconds since the windowing library was initialised.
double windowClock();

// Context version of the open window; (0, 0) when there is none.
void glContextVersion(int& major, int& minor);
bool isExtensionSupported(const char* name);

// The key table is updated before the handler runs; auto-repeat arrives as
// a press.
void setKeyHandler(KeyHandler handler);
void setMouseButtonHandler(MouseButtonHandler handler);
// These three call the new handler once at once with the current value; the
// cursor position is the real one while the window is open.
void setMousePositionHandler(MousePositionHandler handler);
void setMouseWheelHandler(MouseWheelHandler handler);
void setWindowSizeHandler(WindowSizeHandler handler);
// Runs when the window loses the focus (the player switched to another
// program). The cursor leaving the window is no event of its own.
void setFocusLossHandler(FocusLossHandler handler);

// The library's own lookup unless a test puts in a layout of its own; an
// empty lookup restores the library's.
void setKeyNameLookup(KeyNameLookup lookup);
void setEventHook(EventHook hook);

// The windowing library's events in its own numbering (key, scancode,
// action; fractional wheel offsets), translated into the game's: the
// window's callbacks come in here, and so do tests, which need no display.
void translateKeyEvent(int libraryKey, int scancode, int libraryAction);
void translateScroll(double yOffset);

// Feed events as if they came from the window: tests and the handlers'
// installation use these. injectKey updates the key table first.
void injectKey(int key, int action);
void injectMouseButton(int button, int action);
void injectMousePosition(int x, int y);
void injectWheel(int position);
void injectFocusLoss();
void injectWindowSize(WindowSize size);

int mouseWheelPosition();
