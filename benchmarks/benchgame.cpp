#include "benchmarks/benchgame.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "act/actionscene.h"
#include "gameflow/gamestate.h"
#include "librarysauce/framemanager.h"
#include "librarysauce/gamewindow.h"
#include "librarysauce/graphicsdevice.h"
#include "librarysauce/mediaplayer.h"
#include "platform/input.h"
#include "platform/window.h"
#include "tests/demoplay.h"

namespace {

bool g_deviceOpen = false;
std::string g_gameCopy;

void RemoveGameCopy() {
  std::error_code ec;
  if (!g_gameCopy.empty()) std::filesystem::remove_all(g_gameCopy, ec);
}

}  // namespace

platform::GlDevice* BenchDevice() {
  if (!g_deviceOpen) {
    if (g_GameWindow.RegisterClass() == 0 || g_GameWindow.Create(1) == 0 ||
        g_GraphicsDevice.Create(g_GameWindow.GetHWnd()) < 0 || !g_GraphicsDevice.GetDevice()) {
      std::fprintf(stderr, "benchmark set-up failed: no game window or device: %s\n", g_GraphicsDevice.LastError());
      std::exit(1);
    }
    g_deviceOpen = true;
    static bool named = false;
    if (!named) std::printf("GL renderer: %s\n", g_GraphicsDevice.GetDevice()->RendererName().c_str());
    named = true;
  }
  platform::GlDevice* device = g_GraphicsDevice.GetDevice();
  device->SetPacingEnabled(false);
  return device;
}

void CloseBenchDevice() {
  if (!g_deviceOpen && !g_GraphicsDevice.GetDevice()) return;
  g_GraphicsDevice.Release();
  g_GameWindow.Destroy();
  platform::ShutdownVideo();
  g_deviceOpen = false;
}

namespace benchgame {

void EnterGame() {
  BenchDevice();
  if (g_gameCopy.empty()) {
    namespace fs = std::filesystem;
    const fs::path copy = fs::temp_directory_path() / ("velunna-bench-" + std::to_string(getpid()));
    std::error_code ec;
    fs::remove_all(copy, ec);
    fs::copy(VELUNNA_GAME_DIR, copy, fs::copy_options::recursive, ec);
    fs::remove(copy / "velunna", ec);
    if (ec || chdir(copy.c_str()) != 0) {
      std::fprintf(stderr, "benchmark set-up failed: no copy of the game directory %s\n", VELUNNA_GAME_DIR);
      std::exit(1);
    }
    g_gameCopy = copy.string();
    std::atexit(RemoveGameCopy);
  }
  platform::SetScriptedInput(platform::ScriptedInput{});
}

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

bool ChooseOnTitle(int id) { return ToTitle() && demoplay::ChooseOnTitle(id, Tap); }

void LeaveStage() {
  g_GameState.SetMode(kModeWithoutStep);
  g_ActionScene.Unload();
  g_MediaPlayerPool.CloseAll();
  std::memset(platform::GetScriptedInput()->keys, 0, platform::kKeyCount);
}

void RunUnpresentedFrame() {
  platform::GlDevice* device = g_GraphicsDevice.GetDevice();
  device->Clear(0x00000000);
  device->BeginScene();
  g_FrameManager.RunFrame(device);
  device->EndScene();
  device->Finish();
}

}  // namespace benchgame

void RegisterStartUpBenchmark();

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("VELUNNA_HEADLESS", "1", 0);
  InstallFrameHooks();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  // Start-up makes and shuts down its own window and device, so it runs after the others.
  RegisterStartUpBenchmark();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
