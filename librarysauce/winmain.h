#pragma once
// The game's entry point and its message loop.
#include "platform/window.h"

// Runs the game from window creation to shutdown; returns the exit code
// (0 after a normal quit, non-zero when the window or the device cannot be created).
int WinMain(int showCommand);

// The window procedure: what the game does with each event it takes.
void WndProc(const platform::Event& event);

// One turn of the message loop: takes one event if there is one, else renders one frame.
// Returns true once the quit event has been taken, with its exit code in *exitCode.
bool RunMessageLoopTurn(int* exitCode);
