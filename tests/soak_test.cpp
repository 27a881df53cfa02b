// Long play of the demo data: its stages started and restarted, its title menu loaded and its
// story's ADV scenes played a hundred times each. The sanitizer build reports any leak or bad
// access at the end; here the memory in use must not grow with the count either (the same
// scenes, once warmed up, hold the same memory however often they are entered).
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cstdint>
#include <functional>

#include "act/actionscene.h"
#include "act/mapmodel.h"
#include "act/player.h"
#include "gameflow/gamestate.h"
#include "gameflow/scenearrays.h"
#include "novel/advscene.h"
#include "platform/input.h"
#include "tests/demoplay.h"
#include "tests/testsupport.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's own count of the bytes allocated and not yet freed.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

constexpr int kRounds = 100;
constexpr int kWarmUpRounds = 5;
// Rounds whose least memory in use is compared.
constexpr int kWindow = 10;
// A leak of a few kilobytes a round shows; a cache growing its table once does not.
constexpr size_t kMostGrowth = 4 << 20;
constexpr int kLeftCtrl = 29;
// Frames at 60 a second that a change of scene may take.
constexpr int kMostFrames = 2000;

size_t MemoryInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

class SoakTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::PlayDemoCopy();
  }
  // The scene played last steps no more and its sprites leave the draw list with its arrays.
  void TearDown() override {
    g_GameState.SetMode(13);
    g_SceneArrays.Release();
  }

  // Runs round(r) kRounds times and expects the least memory in use over the last rounds to be
  // that over the rounds just after the warm-up. The least of several rounds, because the GL
  // driver's rasterizer threads keep a frame's worth of memory for a while, so one reading swings
  // by tens of megabytes; a leak raises every reading.
  static void Soak(const std::function<void(int)>& round) {
    size_t warm = SIZE_MAX;
    size_t now = SIZE_MAX;
    for (int r = 0; r < kRounds; ++r) {
      round(r);
      if (HasFatalFailure()) return;
      if (r >= kWarmUpRounds && r < kWarmUpRounds + kWindow) warm = std::min(warm, MemoryInUse());
      if (r >= kRounds - kWindow) now = std::min(now, MemoryInUse());
    }
    EXPECT_LE(now, warm + kMostGrowth) << "least memory in use in rounds " << kWarmUpRounds << " to "
                                       << kWarmUpRounds + kWindow - 1 << ": " << warm << ", in the last "
                                       << kWindow << ": " << now;
  }
};

// The goal's fade-out to the next stage and the hero's death in turn, over the demo's stages with
// their enemies and items.
TEST_F(SoakTest, StagesStartAndRestartAHundredTimes) {
  g_MapModel.SetStageList("stage01,stage02,stage03");
  g_GameState.SetNextMode(GameMode::ActionStart);
  g_GameState.SetMode(GameMode::ActionStart);
  int starts = 0;
  Soak([&](int round) {
    ASSERT_TRUE(testsupport::PlayUntil(demoplay::StageRuns, kMostFrames)) << round;
    ++starts;
    const int stage = g_MapModel.GetStageIndex();
    testsupport::PressKeys({platform::DIK_RIGHT});
    testsupport::PlayFrames(4);
    testsupport::ReleaseAll();
    if (round % 2 == 0) {
      g_ActionScene.RequestStageEnd();
    } else {
      g_Player.SetFlags(PlayerState::Dead, 1);
    }
    ASSERT_TRUE(testsupport::PlayUntil([] { return !demoplay::StageRuns(); }, kMostFrames)) << round;
    ASSERT_TRUE(testsupport::PlayUntil(demoplay::StageRuns, kMostFrames)) << round;
    EXPECT_EQ(g_MapModel.GetStageIndex(), round % 2 == 0 ? std::min(stage + 1, 2) : stage) << round;
  });
  EXPECT_EQ(starts, kRounds);
}

TEST_F(SoakTest, TitleMenuLoadsAHundredTimes) {
  Soak([](int round) {
    g_GameState.SetMode(GameMode::MainScript);
    ASSERT_TRUE(testsupport::PlayUntil(demoplay::OnTitle, kMostFrames)) << round;
    testsupport::PlayTap(platform::DIK_DOWN);
  });
}

// The story from the title: its two ADV scenes, read with Ctrl held, lead on to the stages; the
// game goes back to the title before the first stage starts.
TEST_F(SoakTest, AdvScenesPlayAHundredTimes) {
  int scenes = 0;
  const auto countScenes = [&scenes] {
    if (g_GameState.GetMode() == GameMode::AdvSetUp) ++scenes;
    return g_GameState.GetMode() == GameMode::ActionStart;
  };
  Soak([&](int round) {
    if (round % 2 == 1) return;  // a round is one scene: the story holds two
    g_GameState.SetMode(GameMode::MainScript);
    ASSERT_TRUE(testsupport::PlayUntil(demoplay::OnTitle, kMostFrames)) << round;
    ASSERT_TRUE(demoplay::ChooseOnTitle(demoplay::kStoryEntry, testsupport::PlayTap)) << round;
    testsupport::PressKeys({kLeftCtrl});
    ASSERT_TRUE(testsupport::PlayUntil(countScenes, kMostFrames)) << round;
    testsupport::ReleaseAll();
  });
  EXPECT_EQ(scenes, kRounds);
}

}  // namespace
