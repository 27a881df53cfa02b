#pragma once
// The frames-per-second counter. (First stand: its drawing hook only.)

class FpsCounter {
 public:
  void Draw();
};

extern FpsCounter g_FpsCounter;
