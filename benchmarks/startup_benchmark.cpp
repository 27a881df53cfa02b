// Start-up: what the game does from reading its key configuration to the first frame that shows
// its title menu: the window, the graphics device with the game state's start (input, music,
// fonts), then turns of the message loop (main script, menu set-up) until a frame draws a quad.
// Frames are not paced here. Each run shuts the game down again, outside the measured time.
#include <benchmark/benchmark.h>

#include <chrono>

#include "benchmarks/benchgame.h"
#include "gameflow/gamestate.h"
#include "gameflow/scenearrays.h"
#include "librarysauce/gamewindow.h"
#include "librarysauce/graphicsdevice.h"
#include "librarysauce/keyconfig.h"
#include "librarysauce/winmain.h"
#include "startmenu/startmenu.h"

namespace {

void BM_StartUpToTitle(benchmark::State& state) {
  benchgame::EnterGame();
  CloseBenchDevice();
  for (auto _ : state) {
    g_GameState.SetMode(GameMode::MainScript);
    g_KeyConfig.Load();
    if (g_GameWindow.Create(1) == 0 || g_GraphicsDevice.Create(g_GameWindow.GetHWnd()) < 0) {
      state.SkipWithError("no game window or device");
      break;
    }
    platform::GlDevice* device = g_GraphicsDevice.GetDevice();
    device->SetPacingEnabled(false);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    int exitCode = 0;
    while (device->QuadsDrawn() == 0 && std::chrono::steady_clock::now() < giveUp) RunMessageLoopTurn(&exitCode);

    state.PauseTiming();
    const bool titled = device->QuadsDrawn() > 0;
    g_StartMenu.Release();
    g_SceneArrays.Release();
    CloseBenchDevice();
    if (!titled) state.SkipWithError("the title menu was not drawn");
    state.ResumeTiming();
  }
}

}  // namespace

void RegisterStartUpBenchmark() {
  benchmark::RegisterBenchmark("BM_StartUpToTitle", BM_StartUpToTitle)->UseRealTime()->Unit(benchmark::kMillisecond);
}
