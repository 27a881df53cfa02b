// The action mode on the demo's first stage: the stage's load (map, graphics, sounds, the hero
// and the stage's actors), one running frame without presenting (update and draw phases, sent
// to GL and finished), and the update phase alone. The hero walks right and left in turn and
// slashes now and then. CPU time is the game thread's.
#include <benchmark/benchmark.h>

#include <cstring>

#include "act/actionscene.h"
#include "act/mapmodel.h"
#include "act/player.h"
#include "benchmarks/benchgame.h"
#include "gameflow/gamestate.h"
#include "gameflow/scenearrays.h"
#include "librarysauce/mediaplayer.h"
#include "platform/input.h"
#include "tests/demoplay.h"

namespace {

constexpr int kModeWithoutStep = 13;

// The stage list holds the one stage, started as "#setaction" starts it.
bool StartStage(const char* name) {
  benchgame::EnterGame();
  g_MapModel.SetStageList(name);
  g_GameState.SetMode(GameMode::ActionStart);
  return benchgame::RunUntil(demoplay::StageRuns);
}

void LeaveStage() {
  g_GameState.SetMode(kModeWithoutStep);
  g_ActionScene.Unload();
  g_MediaPlayerPool.CloseAll();
  std::memset(platform::GetScriptedInput()->keys, 0, platform::kKeyCount);
}

// The hero's keys for frame n: half a second right, half a second left, a slash every 40 frames.
void HeroKeys(int64_t frame) {
  uint8_t* keys = platform::GetScriptedInput()->keys;
  const bool right = frame % 60 < 30;
  keys[platform::DIK_RIGHT] = right ? platform::kPressed : 0;
  keys[platform::DIK_LEFT] = right ? 0 : platform::kPressed;
  keys[platform::DIK_Z] = frame % 40 == 0 ? platform::kPressed : 0;
}

// Frames of a running stage; the stage starting again (the hero's death) is counted.
void MeasureStageFrames(benchmark::State& state, const char* stage, bool draw) {
  if (!StartStage(stage)) {
    state.SkipWithError("the stage did not start");
    LeaveStage();
    return;
  }
  int64_t frame = 0;
  int64_t restarts = 0;
  const uint32_t startCount = g_ActionScene.GetFrameCount();
  for (auto _ : state) {
    HeroKeys(frame++);
    if (draw) {
      benchgame::RunUnpresentedFrame();
    } else {
      g_GameState.Dispatch();
    }
    if (g_GameState.GetMode() == GameMode::ActionStart) ++restarts;
  }
  state.counters["restarts"] = static_cast<double>(restarts);
  PlayerStatus st; g_Player.GetStatus(&st); state.counters["dbg_x"] = st.x;
  state.counters["dbg_frames"] = g_ActionScene.GetFrameCount() - startCount;
  state.counters["dbg_mode"] = g_GameState.GetMode() * 100 + g_ActionScene.GetMode();
  LeaveStage();
}

void MeasureStageLoad(benchmark::State& state, const char* stage) {
  if (!StartStage(stage)) {
    state.SkipWithError("the stage did not start");
    LeaveStage();
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    g_ActionScene.Unload();
    g_GameState.SetMode(GameMode::ActionStart);
    state.ResumeTiming();
    g_GameState.Dispatch();
  }
  if (g_GameState.GetMode() != GameMode::ActionRun) state.SkipWithError("the stage did not load");
  LeaveStage();
}

void BM_StageLoadDemo(benchmark::State& state) { MeasureStageLoad(state, "stage01"); }
void BM_ActionFrameDemo(benchmark::State& state) { MeasureStageFrames(state, "stage01", true); }
void BM_ActionUpdateDemo(benchmark::State& state) { MeasureStageFrames(state, "stage01", false); }

BENCHMARK(BM_StageLoadDemo)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ActionFrameDemo)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ActionUpdateDemo)->Unit(benchmark::kMicrosecond);

}  // namespace
