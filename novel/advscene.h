#pragma once
// The ADV (novel) scene. (Stand-in until the scene itself lands: its drawing hook and the
// operations the game flow calls, which fail or do nothing.)
#include "gameflow/scriptreader.h"
#include "platform/types.h"

class AdvScene : public ScriptReader {
 public:
  // Reads an ADV script and its header. Stand-in: there is no ADV scene yet, so it fails.
  HRESULT LoadScript(const char* path);
  // Game mode 7: builds the scene's graphics and enters mode 8. Stand-in: nothing.
  HRESULT SetUpGraphics();
  // Game mode 8: one step of the scene. Stand-in: nothing.
  HRESULT Update();
  // Game mode 9: releases the scene and runs the script's next file. Stand-in: there is no
  // next file, which quits the game.
  void RunNextFile();
  HRESULT Release();
  void DrawMessage();
};

extern AdvScene g_AdvScene;
