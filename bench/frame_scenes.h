// The scenes the frame benchmark times and the picture test compares: the
// opening view beside the player's home, a 400 against 400 battle with
// lasers in flight, and a planet fought over, seen from close by. Each
// starts from the same generated galaxy, so they look the same every run.
#pragma once

#include <string>

// The simulation clock the scenes read; install it with setClockSource.
double sceneClock();

// Steps the galaxy's clocks by one 60 Hz frame.
void advanceSceneFrame();

void openingView();
void battleView();
void contestedView();
// The sun in view from above the home planet, its lens flare across the view.
void sunView();
// Three ships about 3 units from the eye, idle, selected and the computer's,
// on black, with two bolts of each side crossing above and below them.
void closeUpView();
// The generated galaxy with the camera where the game starts it.
void emptyView();

// The overview map of the scene, built from the galaxy and drawn onto a
// window of that size as the game draws it over a frame.
void drawSceneMap(int width, int height);

// Draws a frame and reads back what the window shows, as 8-bit BGR rows
// from the bottom up.
std::string captureFrame(int width, int height);
