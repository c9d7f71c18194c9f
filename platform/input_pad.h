// Game controllers for the polled input: opens each controller as it is
// plugged in and turns its buttons and left stick into pad key presses.
#pragma once

#include <SDL.h>

// Handles a controller event; for each pad key it changes, calls
// setKey(key, down). Returns false for events of other kinds.
bool HandlePadEvent(const SDL_Event& e, void (*setKey)(int key, bool down));
// Opens the controller subsystem once (false when it cannot start).
bool StartPads();
// Closes every controller and opens those attached now again (the input
// state is reset and the queued plug-in events are gone with it).
void ReopenPads();
