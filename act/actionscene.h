#pragma once
// The action scene. (Stand-in until the action mode lands: its drawing hook and the operations
// the game flow calls; a stage cannot start yet.)
#include "gameflow/scriptreader.h"
#include "platform/types.h"

class ActionScene : public ScriptReader {
 public:
  // Game mode 14: starts the current stage. Stand-in: reports the stage as unplayable and quits.
  HRESULT Start();
  // Game mode 17, after Unload: starts the current stage again. Stand-in: nothing.
  HRESULT Restart();
  // Game modes 16 and 17: frees the stage's sprite and texture arrays.
  HRESULT Unload();
  // Game mode 15: one frame of the stage. Stand-in: nothing.
  HRESULT Frame();
  void DrawDebugPositions();
};

extern ActionScene g_ActionScene;
