#pragma once
// The frames-per-second counter: counts frames, shows the rate as text such as "60FPS" at the
// bottom left, and is shown or hidden with F1.
#include <cstdint>

#include "platform/types.h"

class FpsCounter {
 public:
  FpsCounter();
  // Once a frame, after the frame clock: at least a second after the last text update the text
  // becomes the frames counted since then (the updating frame is not counted).
  void Update();
  // Once a frame: an F1 press shows or hides the counter.
  void HandleToggleKey();
  // In the frame's text phase: the text in magenta at (0, 460) with font slot 2, when shown.
  HRESULT Draw();

  const char* GetText() const { return text_; }
  int IsVisible() const { return visible_; }

 private:
  char text_[32];
  uint32_t lastTimeMs_;
  uint32_t frameCount_;
  int visible_;
};

extern FpsCounter g_FpsCounter;
