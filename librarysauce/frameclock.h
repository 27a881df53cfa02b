#pragma once
// The millisecond time of the current frame, read once a frame.
#include <cstdint>

class FrameClock {
 public:
  FrameClock();
  uint32_t Update();
  uint32_t GetTime() const { return timeMs_; }

 private:
  uint32_t timeMs_;
};

extern FrameClock g_FrameClock;
