#pragma once
// The game's window and graphics device, made once for the whole benchmark program: the drawing
// benchmarks draw with its device, the frame benchmarks run the whole game on it. Every
// benchmark leaves the draw list empty and pacing off, as it found them.
//
// Run headless with SDL_VIDEODRIVER=offscreen (the default here when unset), or under Xvfb with
// SDL_VIDEODRIVER=x11 to include what the window costs.
#include <functional>

#include "platform/gldevice.h"

// The device, made with the game's window when there is none.
platform::GlDevice* BenchDevice();
// The game's shutdown: the device, then the window and the video; BenchDevice makes new ones.
void CloseBenchDevice();

namespace benchgame {

// The game mode in which no scene steps: where a benchmark leaves the game after its scene.
constexpr int kModeWithoutStep = 13;

// Enters the benchmarks' game directory, made at the first call and removed at exit: a copy of
// the built demo data (VELUNNA_GAME_DIR), so that what the game writes and the generated stress
// stage stay out of the build's tree. Input is scripted, with nothing pressed.
void EnterGame();

// Unpaced frames until done() holds; false after half a minute. The scenes' text waits run on
// the real clock, so the limit is one of time, not of frames.
bool RunUntil(const std::function<bool()>& done);
// A key pressed for one frame and released for the next.
void Tap(int key);
// The title menu from the main script, faded in.
bool ToTitle();
// From the title, the entry with this id chosen with Down and Z.
bool ChooseOnTitle(int id);
// Leaves a running stage: no scene steps, the stage and its sounds are unloaded, no key is held.
void LeaveStage();

// One frame as the device runs it, without presenting: cleared, the update phase, the draw phase
// (the draw list and the scenes' text) recorded and sent to GL, and the GL work finished.
void RunUnpresentedFrame();

}  // namespace benchgame
