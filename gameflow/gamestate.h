#pragma once
// The game state: the current game mode and the per-frame dispatcher over the modes.
// (First stand: the device hooks and a dispatcher that only knows the quit mode.)
#include "platform/types.h"

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

 private:
  int mode_ = 0;
  int nextMode_ = 0;
};

extern GameState g_GameState;
