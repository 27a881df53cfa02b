// The FPS counter on the injected clock.
#include "librarysauce/fpscounter.h"

#include <gtest/gtest.h>

#include <string>

#include "librarysauce/frameclock.h"
#include "tests/testsupport.h"

namespace {

// One frame's update phase as the game state runs it: the clock, then the counter.
void Frame(uint32_t elapsedMs) {
  testsupport::AdvanceClock(elapsedMs);
  g_FrameClock.Update();
  g_FpsCounter.Update();
}

TEST(FpsCounterTest, ShowsTheFramesBetweenTwoUpdatesNotCountingTheUpdatingFrame) {
  EXPECT_STREQ(g_FpsCounter.GetText(), "60FPS");
  EXPECT_EQ(g_FpsCounter.IsVisible(), 0);
  // The clock counts from the system's start, so the first frame is far past 0; here it also
  // wraps past 2^32 a little later.
  testsupport::UseManualClock(0xFFFFFE70u);
  Frame(0);
  EXPECT_STREQ(g_FpsCounter.GetText(), "0FPS");
  for (int i = 0; i < 49; ++i) Frame(20);
  EXPECT_STREQ(g_FpsCounter.GetText(), "0FPS");
  Frame(20);  // 1000 ms after the last update
  EXPECT_STREQ(g_FpsCounter.GetText(), "49FPS");
  // At about 60 frames a second.
  for (int i = 0; i < 62; ++i) Frame(16);
  EXPECT_STREQ(g_FpsCounter.GetText(), "49FPS");
  Frame(16);
  EXPECT_STREQ(g_FpsCounter.GetText(), "62FPS");
  // A stall of several seconds still shows only the frames counted.
  Frame(5000);
  EXPECT_STREQ(g_FpsCounter.GetText(), "0FPS");
}

}  // namespace
