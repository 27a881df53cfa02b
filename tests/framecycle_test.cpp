// The window, the message loop's shape and one frame's phases, on the offscreen driver.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gameflow/gamestate.h"
#include "gameflow/scenearrays.h"
#include "librarysauce/framemanager.h"
#include "librarysauce/gamewindow.h"
#include "librarysauce/graphicsdevice.h"
#include "librarysauce/inputmanager.h"
#include "librarysauce/textlog.h"
#include "librarysauce/winmain.h"
#include "novel/advscene.h"
#include "platform/messagebox.h"
#include "platform/window.h"
#include "tests/testsupport.h"

namespace {

std::vector<int> g_hookCalls;
template <int N>
void RecordHook() {
  g_hookCalls.push_back(N);
}

class FrameCycleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::StartGame();
    g_hookCalls.clear();
    // Mode 13 has no step: these frames run only the frame's own shape, not the game.
    g_GameState.SetMode(13);
    // No scene's sprites left in the draw list, nor lines in the text log or an ADV scene's
    // message, by a test before.
    g_SceneArrays.Release();
    g_TextLog.Reset();
    g_AdvScene.Release();
    platform::Event queued;
    while (platform::PeekEvent(&queued)) {  // nor events left waiting
    }
  }
  void TearDown() override { g_FrameManager.TextHooks() = FrameManager::DefaultTextHooks(); }
};

TEST_F(FrameCycleTest, WindowHasTheGameClientAreaTitleAndRawKeys) {
  int w = 0, h = 0;
  platform::GetWindowClientSize(&w, &h);
  EXPECT_EQ(w, 854);
  EXPECT_EQ(h, 480);
  EXPECT_EQ(platform::GetWindowTitle(), "Velunna V00.03.00");
  // No text input: an input method cannot take the keys the game reads.
  EXPECT_FALSE(platform::IsTextInputOn());
}

TEST_F(FrameCycleTest, EmptyFrameClearsToTransparentBlack) {
  platform::GlDevice* device = g_GraphicsDevice.GetDevice();
  device->Clear(0xFF336699);
  EXPECT_EQ(testsupport::PixelAt(5, 5), 0xFF336699u);
  testsupport::StillFrames(1);
  const std::vector<uint32_t> screen = testsupport::ReadScreen();
  ASSERT_EQ(screen.size(), 854u * 480u);
  for (uint32_t p : screen) ASSERT_EQ(p, 0u);
}

TEST_F(FrameCycleTest, EveryTextHookRunsEachFrameInOrder) {
  auto& hooks = g_FrameManager.TextHooks();
  hooks = {&RecordHook<0>, &RecordHook<1>, &RecordHook<2>, &RecordHook<3>, &RecordHook<4>, &RecordHook<5>};
  ASSERT_EQ(g_FrameManager.GetHead(), nullptr);
  testsupport::StillFrames(2);
  EXPECT_EQ(g_hookCalls, (std::vector<int>{0, 1, 2, 3, 4, 5, 0, 1, 2, 3, 4, 5}));
}

TEST_F(FrameCycleTest, OneEventPerTurnAndFramesOnlyOnEmptyTurns) {
  auto& hooks = g_FrameManager.TextHooks();
  hooks = {&RecordHook<0>, nullptr, nullptr, nullptr, nullptr, nullptr};
  int code = -1;
  platform::Event drained;
  while (platform::PeekEvent(&drained)) {  // whatever the system queued at start
  }
  for (int i = 0; i < 3; ++i) {
    platform::Event move;
    move.type = platform::EventType::MouseMove;
    move.x = 100 + i;
    move.y = 200 + i;
    platform::PushEvent(move);
  }
  EXPECT_FALSE(RunMessageLoopTurn(&code));
  EXPECT_EQ(g_Input.GetMouseX(), 100);
  EXPECT_FALSE(RunMessageLoopTurn(&code));
  EXPECT_FALSE(RunMessageLoopTurn(&code));
  EXPECT_EQ(g_Input.GetMouseX(), 102);
  EXPECT_EQ(g_Input.GetMouseY(), 202);
  EXPECT_TRUE(g_hookCalls.empty()) << "no frame may run while events are waiting";
  EXPECT_FALSE(RunMessageLoopTurn(&code));
  EXPECT_EQ(g_hookCalls.size(), 1u);
}

TEST_F(FrameCycleTest, CloseAnsweredNoKeepsRunningAndYesQuitsWithZero) {
  testsupport::MessageBoxCapture asked;
  asked.RequireKind(platform::MessageBoxKind::YesNo);
  asked.answer = platform::MessageBoxAnswer::No;
  int code = -1;
  platform::Event close;
  close.type = platform::EventType::Close;
  platform::PushEvent(close);
  for (int i = 0; i < 5; ++i) ASSERT_FALSE(RunMessageLoopTurn(&code));
  ASSERT_EQ(asked.captioned.size(), 1u);
  EXPECT_EQ(asked.captioned[0], "終了確認|終了してよろしいですか？");

  asked.answer = platform::MessageBoxAnswer::Yes;
  platform::PushEvent(close);
  bool quit = false;
  for (int i = 0; i < 5 && !quit; ++i) quit = RunMessageLoopTurn(&code);
  EXPECT_TRUE(quit);
  EXPECT_EQ(code, 0);
}

TEST_F(FrameCycleTest, ResizeChangesNothingAboutTheFrames) {
  auto& hooks = g_FrameManager.TextHooks();
  hooks = {&RecordHook<0>, nullptr, nullptr, nullptr, nullptr, nullptr};
  platform::Event resize;
  resize.type = platform::EventType::Resize;
  WndProc(resize);
  EXPECT_EQ(g_GraphicsDevice.IsResizePending(), 1);
  testsupport::StillFrames(3);
  EXPECT_EQ(g_hookCalls.size(), 3u);
}

TEST_F(FrameCycleTest, ReadingPixelsOutsideTheFrameIsRefused) {
  platform::GlDevice* device = g_GraphicsDevice.GetDevice();
  std::vector<uint32_t> pixels;
  EXPECT_TRUE(device->ReadPixels(850, 476, 4, 4, &pixels));
  EXPECT_EQ(pixels.size(), 16u);
  EXPECT_FALSE(device->ReadPixels(851, 0, 4, 1, &pixels));
  EXPECT_FALSE(device->ReadPixels(0, 477, 1, 4, &pixels));
  // Sizes whose sum with the corner would overflow.
  EXPECT_FALSE(device->ReadPixels(10, 0, 0x7FFFFFFF, 1, &pixels));
  EXPECT_FALSE(device->ReadPixels(0, 10, 1, 0x7FFFFFFF, &pixels));
}

TEST_F(FrameCycleTest, QuadsFarBehindStillDraw) {
  // z = depth / 65535 reaches about 65537 for the deepest layers; nothing may clip it.
  platform::GlDevice* device = g_GraphicsDevice.GetDevice();
  device->Clear(0);
  device->BeginScene();
  device->SetTexture(0);
  device->SetTextureStage(platform::TextureStageOp::SelectDiffuse);
  device->SetBlendEnabled(false);
  const float z = 4294967295.0f / 65535.0f;
  platform::ScreenVertex v[4] = {
      {10, 20, z, 1, 0xFF00FF00, 0, 0},
      {74, 20, z, 1, 0xFF00FF00, 1, 0},
      {10, 52, z, 1, 0xFF00FF00, 0, 1},
      {74, 52, z, 1, 0xFF00FF00, 1, 1},
  };
  device->DrawQuadStrip(v);
  device->EndScene();
  EXPECT_EQ(testsupport::PixelAt(10, 20), 0xFF00FF00u);
  EXPECT_EQ(testsupport::PixelAt(73, 51), 0xFF00FF00u);
  EXPECT_EQ(testsupport::PixelAt(74, 51), 0u);
  EXPECT_EQ(testsupport::PixelAt(73, 52), 0u);
  EXPECT_EQ(testsupport::PixelAt(9, 20), 0u);
}

TEST_F(FrameCycleTest, QuitModeEndsTheLoopWithZero) {
  g_GameState.SetQuitCode(0);  // no data error left by a test before: the player's own ending
  g_GameState.SetMode(20);
  int code = -1;
  bool quit = false;
  for (int i = 0; i < 10 && !quit; ++i) quit = RunMessageLoopTurn(&code);
  EXPECT_TRUE(quit);
  EXPECT_EQ(code, 0);
  g_GameState.SetMode(0);
}

}  // namespace
