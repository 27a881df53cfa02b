#pragma once
// The text log drawn over the scene. (First stand: its drawing hook only.)

class TextLog {
 public:
  void Draw();
};

extern TextLog g_TextLog;
