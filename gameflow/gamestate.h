#pragma once
// The game state: the current game mode, the mode to enter after leaving a scene, the current
// scene's sprite and texture counts, and the per-frame dispatcher over the modes. Its device
// hooks create and release the library's per-device resources (input, music, fonts, players).
#include "platform/types.h"

// The game modes. Numbers without a name have no step of their own.
namespace GameMode {
constexpr int MainScript = 0;       // run the main script
constexpr int StartMenuSetUp = 1;   // build the start menu
constexpr int StartMenuRun = 2;     // one step of the start menu
constexpr int StartMenuLeave = 3;   // release the start menu, then nextMode
constexpr int FieldSetUp = 4;       // build the field scene (or report its failed list)
constexpr int FieldRun = 5;         // one step of the field scene
constexpr int FieldLeave = 6;       // release the field scene, then nextMode
constexpr int AdvSetUp = 7;         // build the ADV scene
constexpr int AdvRun = 8;           // one step of the ADV scene
constexpr int AdvEnd = 9;           // release the ADV scene and run its next file
constexpr int AdvNext = 10;         // the next file chose a scene: enter nextMode
constexpr int AdvLast = 12;         // last mode of the ADV range (7 to 12)
constexpr int ActionStart = 14;     // start the current stage
constexpr int ActionRun = 15;       // one frame of the stage
constexpr int ActionLeave = 16;     // unload the stage after the hero's death, then nextMode
constexpr int ActionRestart = 17;   // unload the stage after its goal and start the next
constexpr int Quit = 20;            // end the message loop
}  // namespace GameMode

class GameState {
 public:
  // The main script, read anew on every frame of mode 0.
  static constexpr const char* kMainScriptPath = ".\\Data\\Script\\main.cnn";

  GameState();

  // The frame's update phase: input, frame clock, FPS counter, media players, then the step of
  // the current mode. Always 0.
  HRESULT Dispatch();

  // Device created: seeds the random generator from the millisecond clock, then creates input,
  // the music system and fonts 0, 2, 3 and 1, each on its own; what fails is logged and the
  // rest is still created. 0x80004005 when anything failed.
  HRESULT Init();
  // Device destroyed: releases fonts, input, media players, music tracks and the music system.
  HRESULT Release();
  // Device lost: releases fonts and input.
  HRESULT LostDevice();
  // Device reset: creates input and fonts 2 and 3 again.
  HRESULT RestoreDevice();
  // In place of a frame while the device is suspended: 0 ends the suspension once no media
  // player is still playing, or at once when Space is held (which closes them all).
  HRESULT OnSuspendedFrame();

  int GetMode() const { return mode_; }
  void SetMode(int mode) { mode_ = mode; }
  int GetNextMode() const { return nextMode_; }
  void SetNextMode(int mode) { nextMode_ = mode; }
  // The current scene's array lengths; written by the scene-array owner (gameflow/scenearrays).
  int GetSpriteCount() const { return spriteCount_; }
  void SetSpriteCount(int count) { spriteCount_ = count; }
  int GetTextureCount() const { return textureCount_; }
  void SetTextureCount(int count) { textureCount_ = count; }

  void SetParam(int value) { param_ = value; }
  // Formats into the 128-byte text (cut to fit).
  void FormatText(const char* format, ...);
  void ClearFlag() { flag_ = 0; }

  // The exit code the quit mode ends the loop with. The player's own endings (the quit entry,
  // the close box, "#end", a signal) leave it 0; an ending caused by data the game could not use
  // sets it to kDataErrorQuitCode, through QuitOnDataError and nowhere else.
  static constexpr int kDataErrorQuitCode = 1;
  int GetQuitCode() const { return quitCode_; }
  void SetQuitCode(int code) { quitCode_ = code; }
  // The game ends because a file it needs cannot be used (the caller has shown the message):
  // the quit mode, with the data-error exit code.
  void QuitOnDataError() {
    quitCode_ = kDataErrorQuitCode;
    SetMode(GameMode::Quit);
  }

 private:
  void RunMainScriptStep();

  int mode_;
  int nextMode_;
  int spriteCount_;
  int textureCount_;
  int param_;
  char text_[128];
  int flag_;
  int quitCode_ = 0;
};

extern GameState g_GameState;

// Gives the frame manager the game's part of every frame: the dispatcher as the update phase,
// the four device hooks, the suspended-frame step, and the text hooks in their drawing order
// (text log, start menu, field scene, ADV message, FPS counter, action debug positions). Called
// once at start-up, before the window and the device exist.
void InstallFrameHooks();
