// What one paced frame costs the whole process (every thread, the GL driver's included) in the
// scenes a player idles in: the title menu, the key-configuration screen, the field map and the
// ADV scene waiting for a key, played from the built demo data with nothing pressed. Each is
// reported per 600 frames (ten seconds at 60 a second) and as a multiple of a bare window that
// only clears and swaps, measured first in the same run.
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "benchmarks/benchgame.h"
#include "gameflow/gamestate.h"
#include "gameflow/scenearrays.h"
#include "librarysauce/graphicsdevice.h"
#include "platform/barewindow.h"
#include "platform/input.h"
#include "startmenu/startmenu.h"
#include "tests/demoplay.h"

namespace {

constexpr int kFramesPerReport = 600;
constexpr int kModeWithoutStep = 13;

double ProcessCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + ts.tv_nsec * 1e-9;
}

double g_bareCpuPerFrame = 0;

// The demo data as the game plays it, with scripted input and nothing pressed.
void EnterGame() {
  BenchDevice();
  static const bool entered = [] {
    if (chdir(VELUNNA_GAME_DIR) != 0) {
      std::fprintf(stderr, "benchmark set-up failed: no game directory %s\n", VELUNNA_GAME_DIR);
      std::exit(1);
    }
    return true;
  }();
  (void)entered;
  platform::SetScriptedInput(platform::ScriptedInput{});
}

// Unpaced frames until done() holds; false after half a minute. The scenes' text waits run on
// the real clock, so the limit is one of time, not of frames.
bool RunUntil(const std::function<bool()>& done) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!done()) {
    if (std::chrono::steady_clock::now() > giveUp) return false;
    g_GraphicsDevice.RenderFrame();
  }
  return true;
}

void Tap(int key) {
  platform::GetScriptedInput()->keys[key] = platform::kPressed;
  g_GraphicsDevice.RenderFrame();
  platform::GetScriptedInput()->keys[key] = 0;
  g_GraphicsDevice.RenderFrame();
}

bool ToTitle() {
  g_GameState.SetMode(GameMode::MainScript);
  return RunUntil(demoplay::OnTitle);
}

// From the title, the entry with this id chosen with Down and Z.
bool ChooseOnTitle(int id) {
  if (!ToTitle()) return false;
  for (int moves = 0; moves < g_StartMenu.GetEntryCount(); ++moves) {
    const StartMenuEntry* entry = g_StartMenu.GetEntry(g_StartMenu.GetCursor());
    if (entry && entry->id == id) {
      Tap(platform::DIK_Z);
      return true;
    }
    Tap(platform::DIK_DOWN);
  }
  return false;
}

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
  if (g_bareCpuPerFrame > 0) state.counters["x_bare"] = perFrame / g_bareCpuPerFrame;
  g_GameState.SetMode(kModeWithoutStep);
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
BENCHMARK(BM_FrameAdvWaiting)->UseRealTime()->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

}  // namespace
