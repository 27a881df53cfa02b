// One frame of the title menu, the field map and the ADV scene, each waiting for the player,
// without presenting: the update phase and the draw phase, sent to GL and finished, from the
// built demo data. CPU time is the game thread's. Argument 0 runs the device as the game does
// (a frame that repeats the last one is not drawn again); 1 draws every frame in full.
#include <benchmark/benchmark.h>

#include <functional>

#include "benchmarks/benchgame.h"
#include "gameflow/gamestate.h"
#include "gameflow/scenearrays.h"
#include "tests/demoplay.h"

namespace {

void MeasureSceneFrames(benchmark::State& state, bool reached) {
  if (!reached) {
    state.SkipWithError("the scene was not reached");
  } else {
    platform::GlDevice* device = BenchDevice();
    device->SetShortcutsEnabled(state.range(0) == 0);
    for (auto _ : state) benchgame::RunUnpresentedFrame();
    device->SetShortcutsEnabled(true);
  }
  g_GameState.SetMode(benchgame::kModeWithoutStep);
  g_SceneArrays.Release();
}

void BM_SceneFrameMenu(benchmark::State& state) {
  benchgame::EnterGame();
  MeasureSceneFrames(state, benchgame::ToTitle());
}

void BM_SceneFrameField(benchmark::State& state) {
  benchgame::EnterGame();
  MeasureSceneFrames(state, benchgame::ChooseOnTitle(demoplay::kFieldEntry) &&
                                benchgame::RunUntil(demoplay::FieldTakesAChoice));
}

void BM_SceneFrameAdv(benchmark::State& state) {
  benchgame::EnterGame();
  MeasureSceneFrames(state, benchgame::ChooseOnTitle(demoplay::kStoryEntry) &&
                                benchgame::RunUntil(demoplay::AdvWaitsForAKey));
}

BENCHMARK(BM_SceneFrameMenu)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SceneFrameField)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SceneFrameAdv)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
