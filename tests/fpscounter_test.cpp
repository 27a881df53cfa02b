// The FPS counter on the injected clock.
#include "librarysauce/fpscounter.h"

#include <gtest/gtest.h>

#include <string>

#include "librarysauce/frameclock.h"
#include "librarysauce/gamefont.h"
#include "librarysauce/graphicsdevice.h"
#include "platform/input.h"
#include "tests/testsupport.h"

namespace {

// One frame's update phase as the game state runs it: the clock, then the counter.
void Frame(uint32_t elapsedMs) {
  testsupport::AdvanceClock(elapsedMs);
  g_FrameClock.Update();
  g_FpsCounter.Update();
}

TEST(FpsCounterTest, ShowsTheFramesBetweenTwoUpdatesNotCountingTheUpdatingFrame) {
  g_FpsCounter = FpsCounter();  // as the game starts: nothing counted yet, hidden
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

// One frame's input step: the poll, then the counter's toggle.
void ToggleStep() {
  testsupport::PollInput();
  g_FpsCounter.HandleToggleKey();
}

// Pixels of the counter's magenta (fully covered) in a screen rectangle.
int MagentaPixels(int x, int y, int width, int height) {
  int count = 0;
  for (uint32_t p : testsupport::ReadScreen(x, y, width, height)) count += p == 0xFFFF00FF ? 1 : 0;
  return count;
}

// The counter's text phase alone, on a cleared frame.
void DrawCounter() {
  platform::GlDevice* device = g_GraphicsDevice.GetDevice();
  device->Clear(0);
  device->BeginScene();
  g_FpsCounter.Draw();
}

TEST(FpsCounterTest, F1ShowsAndHidesTheMagentaTextAtTheBottomLeft) {
  testsupport::StartGame();
  testsupport::UseManualClock();
  testsupport::UseScriptedInput();
  g_Fonts[2].Create(kFontSlotFace[2], kFontSlotHeight[2]);

  ToggleStep();
  DrawCounter();
  EXPECT_EQ(g_FpsCounter.IsVisible(), 0);
  EXPECT_EQ(MagentaPixels(0, 0, 854, 480), 0);

  // Held for three frames, F1 toggles once.
  testsupport::PressKeys({platform::DIK_F1});
  for (int frame = 0; frame < 3; ++frame) ToggleStep();
  EXPECT_EQ(g_FpsCounter.IsVisible(), 1);
  DrawCounter();
  EXPECT_GT(MagentaPixels(0, 460, 64, 20), 20);
  EXPECT_EQ(MagentaPixels(0, 0, 854, 460), 0);   // nothing above the counter's row
  EXPECT_EQ(MagentaPixels(80, 460, 774, 20), 0);  // "60FPS" is short

  // Released and pressed again: hidden.
  testsupport::ReleaseKeys({platform::DIK_F1});
  ToggleStep();
  EXPECT_EQ(g_FpsCounter.IsVisible(), 1);
  testsupport::PressKeys({platform::DIK_F1});
  ToggleStep();
  EXPECT_EQ(g_FpsCounter.IsVisible(), 0);
  DrawCounter();
  EXPECT_EQ(MagentaPixels(0, 0, 854, 480), 0);
  testsupport::StopScriptedInput();
}

}  // namespace
