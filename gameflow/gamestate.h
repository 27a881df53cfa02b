#pragma once
// The game state: the current game mode and the per-frame dispatcher over the modes.
// (First stand: the device hooks and a dispatcher that only knows the quit mode.)
#include "platform/types.h"

namespace GameMode {
enum : int {
  MainScript = 0,
  StartMenuSetUp = 1,
  StartMenuRun = 2,
  StartMenuLeave = 3,
  FieldSetUp = 4,
  FieldRun = 5,
  FieldLeave = 6,
  AdvSetUp = 7,
  AdvRun = 8,
  AdvEnd = 9,
  AdvLast = 12,
  ActionStart = 14,
  Quit = 20,
};
}

class GameState {
 public:
  HRESULT Init();
  HRESULT Release();
  HRESULT LostDevice();
  HRESULT RestoreDevice();
  HRESULT OnSuspendedFrame();
  HRESULT Dispatch();

  int GetMode() const { return mode_; }
  void SetMode(int mode) { mode_ = mode; }
  int GetNextMode() const { return nextMode_; }
  void SetNextMode(int mode) { nextMode_ = mode; }
  int GetSpriteCount() const { return spriteCount_; }
  void SetSpriteCount(int n) { spriteCount_ = n; }
  int GetTextureCount() const { return textureCount_; }
  void SetTextureCount(int n) { textureCount_ = n; }

 private:
  int mode_ = 0;
  int nextMode_ = 0;
  int spriteCount_ = 0;
  int textureCount_ = 0;
};

extern GameState g_GameState;
