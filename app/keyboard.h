// Keyboard commands: the key handler that runs on every key event, and the
// camera keys polled once per frame.
#pragma once

#include <functional>

#include "app/app_state.h"

// The key handler the window layer calls for every press, auto-repeat and
// release, after it has updated the key table.
void handleKey(int key, int action);

// Runs the camera move of every camera key held this frame.
void pollCameraKeys();

// The checks of held keys only act while the window is open. Tests drive the
// handler without a window and install their own answer here; an empty
// function restores the window layer's.
void setKeyboardWindowCheck(std::function<bool()> check);
bool isGameWindowOpen();

// Back to the start values, control groups emptied; for tests.
void resetKeyboard();
