#pragma once
// Keyboard, mouse and controller input. (First stand: the mouse position fed by the window.)

class InputManager {
 public:
  void SetMousePos(int x, int y) {
    mouseX_ = x;
    mouseY_ = y;
  }
  int GetMouseX() const { return mouseX_; }
  int GetMouseY() const { return mouseY_; }
  int IsKeyDown(int) const { return 0; }
  int IsKeyTriggered(int) { return 0; }
  int IsMouseTriggered(int) { return 0; }

 private:
  int mouseX_ = 0;
  int mouseY_ = 0;
};

extern InputManager g_InputManager;
