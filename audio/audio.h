// The game's sound: OpenAL Soft mixing on its own thread, the listener at the
// camera, the frame's events played where they happened, a music loop under
// everything. Any fault leaves the game running, silent where it must be,
// and says so once on standard error; a lost device is reopened.
#pragma once

#include <string>
#include <vector>

#include "math/camera.h"
#include "sim/events.h"

// Opens the default device and loads the sounds from `folder`; starts the music.
void initAudio(const std::string& folder = "Sounds");

// Once a frame: about once a second the device is asked whether it is still
// there; after a loss it is reopened in the background every few seconds
// until it is back, and the music starts again. Nothing here waits.
void watchAudioDevice(double now);

// Listener at the camera's eye, facing along its view.
void updateListener(const Camera& camera);

// Starts the sounds of the frame's events; `now` is the game clock in seconds.
void playEvents(const std::vector<GameEvent>& events, double now);

// The end of the game: the music stops and the fanfare or the lament plays.
void playGameOver(bool victorious);

// The alert cue, heard the same wherever the camera is.
void playAlertCue();
// A new game: the jingle and every voice stop and the music plays again from
// its start (once a device is there).
void restartMusic();

// Mute silences everything at once, music included; playing resumes on unmute.
void setMuted(bool muted);
bool isMuted();

// True while a device is open and playing.
bool isAudioActive();

void shutdownAudio();
