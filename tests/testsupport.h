#pragma once
// Helpers shared by the scenario tests: a real window and device on the offscreen driver,
// a scratch game directory, frames stepped by hand on an injected clock.
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// Creates the game window and device once for this test process (fails the test if there is no
// real GL), with frame pacing off. The game state's device hook runs as in the game.
void StartGame();
// Releases the device and the window (the game's own shutdown order).
void StopGame();

// Makes a fresh empty directory under the system's temporary directory and enters it.
std::string EnterScratchDirectory(const std::string& name);

// The clock the game reads; starts far past 0, as the system timer does.
void UseManualClock(uint32_t startMs = 1000000);
void AdvanceClock(uint32_t ms);
uint32_t ManualClockNow();

// Renders n frames (RenderFrame, as the message loop does on an empty queue).
void RunFrames(int n);

// Reads the framebuffer back (row 0 at the top).
std::vector<uint32_t> ReadScreen(int x = 0, int y = 0, int width = 854, int height = 480);
uint32_t PixelAt(int x, int y);

// Writes bytes to a file, creating its directories.
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);

}  // namespace testsupport

// Stand-in for the scripted-input helpers until the input manager lands.
#include <initializer_list>
namespace testsupport {
void UseScriptedInput();
void PressKeys(std::initializer_list<int> dikCodes);
void ReleaseKeys(std::initializer_list<int> dikCodes);
void SetMouse(int x, int y, int buttons = 0);
}  // namespace testsupport
