#include "librarysauce/frameclock.h"

#include "platform/clock.h"

FrameClock g_FrameClock;

FrameClock::FrameClock() : timeMs_(platform::GetTimeMs()) {}

uint32_t FrameClock::Update() {
  timeMs_ = platform::GetTimeMs();
  return timeMs_;
}
