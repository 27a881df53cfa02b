#pragma once
// The game's window and graphics device, made once for the whole benchmark program: the drawing
// benchmarks draw with its device, the frame benchmarks run the whole game on it. Every
// benchmark leaves the draw list empty and pacing off, as it found them.
//
// Run headless with SDL_VIDEODRIVER=offscreen (the default here when unset), or under Xvfb with
// SDL_VIDEODRIVER=x11 to include what the window costs.
#include "platform/gldevice.h"

platform::GlDevice* BenchDevice();
