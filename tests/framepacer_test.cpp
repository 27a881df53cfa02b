// Frame pacing on an injected clock: no sleeps, only the times the pacer asks to sleep until.
#include <gtest/gtest.h>

#include <vector>

#include "platform/framepacer.h"

namespace {

struct FakeTime {
  int64_t now = 5000;
  std::vector<int64_t> sleeps;
};

TEST(FramePacerTest, WaitsForAccumulatedDeadlinesWithoutDrift) {
  FakeTime t;
  const int64_t period = 16666667;
  platform::FramePacer pacer(period, [&] { return t.now; }, [&](int64_t until) {
    t.sleeps.push_back(until);
    t.now = until;
  });
  pacer.Wait();  // first frame starts the schedule
  const int64_t start = t.now;
  for (int i = 1; i <= 600; ++i) {
    t.now += 1000000;  // each frame's work takes 1 ms; the swap returns at once
    pacer.Wait();
  }
  ASSERT_EQ(t.sleeps.size(), 600u);
  // Ten seconds of frames end exactly on the 600th deadline: the error does not accumulate.
  EXPECT_EQ(t.now, start + 600 * period);
  EXPECT_EQ(t.sleeps[0], start + period);
}

TEST(FramePacerTest, ALateFrameKeepsTheScheduleAndAStallStartsANewOne) {
  FakeTime t;
  const int64_t period = 1000;
  platform::FramePacer pacer(period, [&] { return t.now; }, [&](int64_t until) {
    t.sleeps.push_back(until);
    t.now = until;
  });
  pacer.Wait();
  const int64_t start = t.now;
  t.now = start + 1500;  // half a frame late: no sleep, the next deadline stays on the grid
  pacer.Wait();
  EXPECT_TRUE(t.sleeps.empty());
  EXPECT_EQ(pacer.NextDeadline(), start + 2000);
  t.now += 100;
  pacer.Wait();
  ASSERT_EQ(t.sleeps.size(), 1u);
  EXPECT_EQ(t.sleeps[0], start + 2000);

  // A long stall: no burst of catch-up frames, the schedule restarts from now.
  t.sleeps.clear();
  t.now += 50 * period;
  const int64_t afterStall = t.now;
  pacer.Wait();
  EXPECT_TRUE(t.sleeps.empty());
  EXPECT_EQ(pacer.NextDeadline(), afterStall + period);
  t.now += 10;
  pacer.Wait();
  ASSERT_EQ(t.sleeps.size(), 1u);
  EXPECT_EQ(t.sleeps[0], afterStall + period);
}

}  // namespace
