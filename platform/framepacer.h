#pragma once
// Keeps frames at a fixed rate when the buffer swap does not wait for the display.
// Deadlines accumulate (next = previous + period), so the rate does not drift; after
// falling more than a few periods behind, the pacer starts counting again from now.
#include <cstdint>
#include <functional>

namespace platform {

class FramePacer {
 public:
  using NowFn = std::function<int64_t()>;           // nanoseconds, monotonic
  using SleepUntilFn = std::function<void(int64_t)>;  // sleep until that time

  FramePacer(int64_t periodNs, NowFn now, SleepUntilFn sleepUntil);

  // Called once per presented frame: waits for the frame's deadline if it is still ahead.
  void Wait();
  // Forgets the schedule; the next Wait starts a new one.
  void Reset() { started_ = false; }

  int64_t NextDeadline() const { return next_; }
  int64_t Period() const { return period_; }

  static constexpr int kMaxFramesBehind = 4;

 private:
  int64_t period_;
  NowFn now_;
  SleepUntilFn sleepUntil_;
  bool started_ = false;
  int64_t next_ = 0;
};

// The game's frames: 60 a second.
constexpr int64_t kGameFramePeriodNs = 1000000000LL / 60;

// The real clock and sleep, for the game.
int64_t MonotonicNs();
void SleepUntilNs(int64_t deadline);

}  // namespace platform
