#pragma once
// Helpers shared by the scenario tests: a real window and device on the offscreen driver,
// a scratch game directory, frames stepped by hand on an injected clock.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <new>
#include <string>
#include <vector>

#include "librarysauce/sprite.h"
#include "platform/messagebox.h"

namespace artkit {
class Canvas;
}

namespace testsupport {

// Creates the game window and device once for this test process (fails the test if there is no
// real GL), with frame pacing off. The game state's device hook runs as in the game.
void StartGame();
// Releases the device and the window (the game's own shutdown order).
void StopGame();

// Makes a fresh empty directory under the system's temporary directory and enters it. It is
// removed when the test process ends (unless VELUNNA_KEEP_SCRATCH is set).
std::string EnterScratchDirectory(const std::string& name);
// Enters a scratch directory named for the running test holding a copy of the built demo data.
void EnterDemoCopy();
// The demo played as a player plays it: StartGame, EnterDemoCopy, the manual clock and scripted
// input, and the game as it starts: the main script's mode, no scene's arrays, no menu list,
// no stage list, the FPS counter hidden.
void PlayDemoCopy();

// Puts a game object back as the game starts with it, destroyed and built anew in place: for the
// scenes that keep what a test before left in them (a menu's cursor, a fade's overlay).
template <typename T>
void Renew(T* object) {
  object->~T();
  new (object) T();
}

// The clock the game reads; starts far past 0, as the system timer does.
void UseManualClock(uint32_t startMs = 1000000);
void AdvanceClock(uint32_t ms);
uint32_t ManualClockNow();

// Stepping frames. Each is one RenderFrame, as the message loop runs it on an empty queue, and
// the helpers come in two families that differ only in the clock:
//   Still...  the clock does not move: frame counters advance, anything timed in milliseconds
//             (text waits, music, the frame clock) stands. For tests that count frames.
//   Play...   the clock moves 17 ms before each frame, as at 60 frames a second: the game as a
//             player gets it. For tests that play through timed scenes.
// Keys are put down and up with PressKeys / ReleaseKeys (below), which run no frame.

// n frames, the clock still.
void StillFrames(int n);
// The key down for one still frame, then up for one; times over.
void StillTap(int key, int times = 1);
// The keys down (they stay down), then n still frames.
void HoldStillFrames(std::initializer_list<int> keys, int n = 1);

// n frames at 60 a second.
void PlayFrames(int n);
// Frames at 60 a second until done() holds, at most maxFrames; says whether it holds.
bool PlayUntil(const std::function<bool()>& done, int maxFrames = 600);
// The key down for one frame at 60 a second, then up for one.
void PlayTap(int key);

// Answers every message box shown while it lives, as a player clicks it away, and keeps what
// each said; when it goes, boxes are shown as before it (by the capture it was made inside, or
// the game's own way). A fixture holds one as a member: it is in place before SetUp runs and
// gone after TearDown. A test may make one of its own for a different answer.
class MessageBoxCapture {
 public:
  MessageBoxCapture();
  ~MessageBoxCapture();
  MessageBoxCapture(const MessageBoxCapture&) = delete;
  MessageBoxCapture& operator=(const MessageBoxCapture&) = delete;

  // True when a box shown so far holds this text (UTF-8).
  bool Mentions(const std::string& utf8) const;
  // Forgets the boxes shown so far.
  void Clear();
  // From now on every box must be of this kind: the test fails at a box of another, with why.
  void RequireKind(platform::MessageBoxKind kind, const std::string& why = "");

  // The boxes shown, in order (UTF-8): each one's text, and each as "caption|text".
  std::vector<std::string> messages;
  std::vector<std::string> captioned;
  // The answer every box gets (Yes or No for a question).
  platform::MessageBoxAnswer answer = platform::MessageBoxAnswer::Ok;

 private:
  platform::MessageBoxAnswer Take(const std::string& text, const std::string& caption,
                                  platform::MessageBoxKind kind);
  void Install();

  MessageBoxCapture* outer_;
  bool kindRequired_ = false;
  platform::MessageBoxKind requiredKind_ = platform::MessageBoxKind::Ok;
  std::string whyKind_;
};

// Reads the framebuffer back (row 0 at the top).
std::vector<uint32_t> ReadScreen(int x = 0, int y = 0, int width = 854, int height = 480);
uint32_t PixelAt(int x, int y);

// Sets a sprite up as the scenes do (source at 0,0, scale 1), registers it and shows it.
void PlaceSprite(Sprite* sprite, int32_t texture, float x, float y, float width, float height, uint32_t depth,
                 uint32_t color, BlendMode mode);

// Draws the frame the device holds once more through the draw phase (no update), with every
// quad sent, nothing left out and nothing reused, and says whether that gives exactly the held
// frame's pixels. The next frame is then drawn anew (the held record is the full one).
::testing::AssertionResult HeldFrameIsAFullRedraw();

// Expects the two texts of the comment window shared by the start menu and the field scene in
// the last frame exactly where font slot 0 puts them when drawn alone with their cells at
// (10, 410) and (34, 434): the ink of the scenes' text hooks is told from the same frame drawn
// in game mode 13, where no scene draws. Runs frames; the game mode is put back.
void ExpectCommentWindowTexts(const char* title, const char* comment);

// A plain bottom-up BMP file of 24 bits or 8 with a palette (as the art generators write them),
// read once for the pixels a check compares.
class BmpFile {
 public:
  explicit BmpFile(const std::string& path);
  // Pixel (x, y) as 0xRRGGBB (0xDEADBEEF outside it, for another kind or for a file too short).
  uint32_t Pixel(int x, int y) const;

 private:
  std::string bytes_;
};
// Pixel (x, y) of such a file, read for this one pixel.
uint32_t BmpPixel(const std::string& path, int x, int y);
// Writes the framebuffer to path as a BMP (false when it cannot be written).
bool SaveScreen(const std::string& path);

// Writes bytes to a file, creating its directories.
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);

// The bytes of a WAV file: ms milliseconds of 8-bit mono PCM at sampleRate, a quiet square wave.
std::string MakeWav(int ms, int sampleRate = 8000);

}  // namespace testsupport

namespace testsupport {

// Scripted input. After UseScriptedInput the game no longer reads the real devices: every
// InputManager::Poll (the game state's frame step, or PollInput below) reads the state set here,
// through the same path as the devices. The state stays as set until changed, frame after frame,
// like a player holding keys. Key codes are DirectInput codes (platform::DIK_Z, DIK_UP, ...: see
// platform/input.h). A scene test reads like play:
//   testsupport::UseScriptedInput();
//   testsupport::PressKeys({platform::DIK_DOWN});  testsupport::StillFrames(1);
//   testsupport::ReleaseAll();                     testsupport::StillFrames(1);
// Remember that a press is delivered once: to be seen again, a key must be released for a frame.

// Switches to scripted input with nothing pressed and no controller, and makes sure the input
// manager has its devices (creating them if the game has not yet). Polls once, so that no press
// a test before left latched holds back the first press of this one.
void UseScriptedInput();
// Puts these keys down / up; other keys keep their state.
void PressKeys(std::initializer_list<int> dikCodes);
void ReleaseKeys(std::initializer_list<int> dikCodes);
// Every key, mouse button and controller button up, the stick centred (the controller stays
// attached if it was).
void ReleaseAll();
// Moves the mouse to client pixel (x, y), delivered through the window procedure as a mouse-move
// message, and sets the held buttons: bit 0 left, bit 1 right, bit 2 middle.
void SetMouse(int x, int y, int buttons = 0);
// Attaches the controller with its stick at (x, y) in -1000..1000 (y negative is up) and exactly
// these buttons (0..31) held.
void SetJoystick(int x, int y, std::initializer_list<int> buttons = {});
// Unplugs the controller: it reads as nothing pressed.
void UnplugJoystick();
// Makes the window lose (false) or regain (true) the input focus: without it, polls keep the
// state they read last.
void SetInputFocus(bool focused);
// One poll of the input manager, for tests that step input without running whole frames.
void PollInput();
// Back to the real devices.
void StopScriptedInput();

// Writes text to path (a file-system path, directories created) scrambled as the game stores
// its data files, so the game's whole-file reader gives back exactly these bytes.
void WriteScrambled(const std::string& path, const std::string& text);
// Writes a picture to path as a BMP scrambled over its whole length, as images are stored.
void WriteGameImage(const std::string& path, const artkit::Canvas& canvas);

}  // namespace testsupport
