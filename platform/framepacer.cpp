#include "platform/framepacer.h"

#include <errno.h>
#include <time.h>

namespace platform {

FramePacer::FramePacer(int64_t periodNs, NowFn now, SleepUntilFn sleepUntil)
    : period_(periodNs), now_(std::move(now)), sleepUntil_(std::move(sleepUntil)) {}

void FramePacer::Wait() {
  const int64_t now = now_();
  if (!started_) {
    started_ = true;
    next_ = now + period_;
    return;
  }
  if (now < next_) {
    sleepUntil_(next_);
    next_ += period_;
    return;
  }
  // Late. A little late: keep the schedule so the average rate holds. Far behind (a stall):
  // start again from now instead of racing to catch up.
  if (now - next_ > kMaxFramesBehind * period_) {
    next_ = now + period_;
  } else {
    next_ += period_;
  }
}

int64_t MonotonicNs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

void SleepUntilNs(int64_t deadline) {
  timespec ts{};
  ts.tv_sec = deadline / 1000000000LL;
  ts.tv_nsec = deadline % 1000000000LL;
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
  }
}

}  // namespace platform
