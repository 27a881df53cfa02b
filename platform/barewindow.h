#pragma once
// The cheapest frame the game window can show: the window itself cleared and swapped, nothing
// drawn, paced at 60 a second like the game's frames. The frame-cost benchmarks measure the
// game against it; nothing in the game uses it.
#include "platform/framepacer.h"

namespace platform {

class BareWindowFrames {
 public:
  // One frame on the game window, with the GL context that is current (the game device's).
  void RunFrame();

 private:
  FramePacer pacer_{kGameFramePeriodNs, MonotonicNs, SleepUntilNs};
};

}  // namespace platform
