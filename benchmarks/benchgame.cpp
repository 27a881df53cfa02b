#include "benchmarks/benchgame.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "librarysauce/gamewindow.h"
#include "librarysauce/graphicsdevice.h"

platform::GlDevice* BenchDevice() {
  static platform::GlDevice* device = [] {
    if (g_GameWindow.RegisterClass() == 0 || g_GameWindow.Create(1) == 0 ||
        g_GraphicsDevice.Create(g_GameWindow.GetHWnd()) < 0 || !g_GraphicsDevice.GetDevice()) {
      std::fprintf(stderr, "benchmark set-up failed: no game window or device: %s\n", g_GraphicsDevice.LastError());
      std::exit(1);
    }
    platform::GlDevice* d = g_GraphicsDevice.GetDevice();
    d->SetPacingEnabled(false);
    std::printf("GL renderer: %s\n", d->RendererName().c_str());
    return d;
  }();
  return device;
}

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("VELUNNA_HEADLESS", "1", 0);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
