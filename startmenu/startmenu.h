#pragma once
// The start menu. (Stand-in until the menu itself lands: its drawing hook and the operations the
// game flow calls, which fail or do nothing.)
#include "gameflow/scriptreader.h"
#include "platform/types.h"

class StartMenu : public ScriptReader {
 public:
  // Reads the menu list at path + ".stm". Stand-in: there is no menu yet, so it fails.
  HRESULT LoadMenu(const char* path);
  // Game mode 1: builds the menu's graphics and sounds. Stand-in: nothing.
  HRESULT SetUp();
  // Game mode 2: one step of the menu. Stand-in: nothing.
  HRESULT Update();
  // Game mode 3: frees the menu's text and entries. Stand-in: nothing to free.
  HRESULT Release();
  void Draw();
};

extern StartMenu g_StartMenu;
