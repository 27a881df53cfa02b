#pragma once
// The start menu. (First stand: its drawing hook only.)

class StartMenu {
 public:
  void Draw();
};

extern StartMenu g_StartMenu;
