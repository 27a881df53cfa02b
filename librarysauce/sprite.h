#pragma once
// A textured or plain coloured quad in the depth-ordered draw list. (First stand: the list links
// and the draw entry point the frame walks.)
#include "platform/gldevice.h"
#include "platform/types.h"

class Sprite {
 public:
  HRESULT Draw(platform::GlDevice* device);
  Sprite* GetNext() const { return next_; }
  void SetNext(Sprite* next) { next_ = next; }

 private:
  Sprite* next_ = nullptr;
};
