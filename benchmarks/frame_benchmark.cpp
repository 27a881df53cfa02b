// What one paced frame costs the whole process (every thread, the GL driver's included) in the
// scenes a player idles in: the title menu, the key-configuration screen, the field map and the
// ADV scene waiting for a key, played from the built demo data with nothing pressed; and, for
// comparison, the demo's first stage with the hero standing while its enemies move. Each is
// reported per 600 frames (ten seconds at 60 a second), as the share of one core it keeps busy
// at 60 frames a second (core_pct), and as a multiple of a bare window that only clears and
// swaps, measured first in the same run.
#include <benchmark/benchmark.h>
#include <time.h>

#include <functional>

#include "act/mapmodel.h"
#include "act/player.h"
#include "benchmarks/benchgame.h"
#include "gameflow/gamestate.h"
#include "gameflow/scenearrays.h"
#include "librarysauce/graphicsdevice.h"
#include "platform/barewindow.h"
#include "tests/demoplay.h"

namespace {

constexpr int kFramesPerReport = 600;
constexpr int kFramesPerSecond = 60;

double ProcessCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + ts.tv_nsec * 1e-9;
}

double g_bareCpuPerFrame = 0;

using benchgame::ChooseOnTitle;
using benchgame::EnterGame;
using benchgame::RunUntil;
using benchgame::ToTitle;

// The measured part: paced frames, the process's CPU time over them, and the draw list left
// empty for the benchmarks that follow.
void MeasurePacedFrames(benchmark::State& state, const std::function<void()>& frame) {
  platform::GlDevice* device = BenchDevice();
  device->SetPacingEnabled(true);
  const double start = ProcessCpuSeconds();
  for (auto _ : state) frame();
  const double perFrame = (ProcessCpuSeconds() - start) / static_cast<double>(state.iterations());
  device->SetPacingEnabled(false);
  state.counters["cpu_s_per_600"] = perFrame * kFramesPerReport;
  state.counters["core_pct"] = perFrame * kFramesPerSecond * 100;
  if (g_bareCpuPerFrame > 0) state.counters["x_bare"] = perFrame / g_bareCpuPerFrame;
  g_GameState.SetMode(benchgame::kModeWithoutStep);
  g_SceneArrays.Release();
}

void MeasureGameFrames(benchmark::State& state, bool reached) {
  if (!reached) {
    state.SkipWithError("the scene was not reached");
    g_SceneArrays.Release();
    return;
  }
  MeasurePacedFrames(state, [] { g_GraphicsDevice.RenderFrame(); });
}

void BM_FrameBareWindow(benchmark::State& state) {
  BenchDevice();
  platform::BareWindowFrames bare;
  const double start = ProcessCpuSeconds();
  for (auto _ : state) bare.RunFrame();
  g_bareCpuPerFrame = (ProcessCpuSeconds() - start) / static_cast<double>(state.iterations());
  state.counters["cpu_s_per_600"] = g_bareCpuPerFrame * kFramesPerReport;
}

void BM_FrameTitleIdle(benchmark::State& state) {
  EnterGame();
  MeasureGameFrames(state, ToTitle());
}

void BM_FrameKeyConfigIdle(benchmark::State& state) {
  EnterGame();
  const bool reached = ChooseOnTitle(demoplay::kKeyConfigEntry) && RunUntil(demoplay::InKeyConfig);
  MeasureGameFrames(state, reached);
}

void BM_FrameFieldIdle(benchmark::State& state) {
  EnterGame();
  const bool reached = ChooseOnTitle(demoplay::kFieldEntry) && RunUntil(demoplay::FieldTakesAChoice);
  MeasureGameFrames(state, reached);
}

// The hero stands where he lands and is kept healthy, so no restart falls among the frames.
void BM_FrameActionDemo(benchmark::State& state) {
  EnterGame();
  g_MapModel.SetStageList("stage01");
  g_GameState.SetMode(GameMode::ActionStart);
  if (!RunUntil(demoplay::StageRuns)) {
    state.SkipWithError("the stage did not start");
  } else {
    MeasurePacedFrames(state, [] {
      g_Player.Recover(0, RecoverKind::HpFull);
      g_GraphicsDevice.RenderFrame();
    });
  }
  benchgame::LeaveStage();
}

// Last of the game's scenes: the ADV scene is left in the middle of its script.
void BM_FrameAdvWaiting(benchmark::State& state) {
  EnterGame();
  const bool reached = ChooseOnTitle(demoplay::kStoryEntry) && RunUntil(demoplay::AdvWaitsForAKey);
  MeasureGameFrames(state, reached);
}

BENCHMARK(BM_FrameBareWindow)->UseRealTime()->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameTitleIdle)->UseRealTime()->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameKeyConfigIdle)->UseRealTime()->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameFieldIdle)->UseRealTime()->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameActionDemo)->UseRealTime()->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameAdvWaiting)->UseRealTime()->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

}  // namespace
