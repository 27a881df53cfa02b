#include "tests/testsupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "librarysauce/gamewindow.h"
#include "librarysauce/graphicsdevice.h"
#include "platform/clock.h"
#include "platform/window.h"

namespace testsupport {
namespace {
uint32_t g_now = 0;
bool g_started = false;
}  // namespace

void StartGame() {
  if (g_started) return;
  ASSERT_NE(g_GameWindow.RegisterClass(), 0);
  ASSERT_EQ(g_GameWindow.Create(1), 1);
  ASSERT_EQ(g_GraphicsDevice.Create(g_GameWindow.GetHWnd()), S_OK) << g_GraphicsDevice.LastError();
  ASSERT_NE(g_GraphicsDevice.GetDevice(), nullptr);
  ASSERT_FALSE(g_GraphicsDevice.GetDevice()->RendererName().empty()) << "no real OpenGL renderer";
  g_GraphicsDevice.GetDevice()->SetPacingEnabled(false);
  g_started = true;
}

void StopGame() {
  if (!g_started) return;
  g_GraphicsDevice.Release();
  g_GameWindow.Destroy();
  platform::ShutdownVideo();
  g_started = false;
}

std::string EnterScratchDirectory(const std::string& name) {
  namespace fs = std::filesystem;
  const char* tmp = std::getenv("TMPDIR");
  fs::path dir = fs::path(tmp ? tmp : "/tmp") / ("velunna-test-" + std::to_string(getpid()) + "-" + name);
  std::error_code ec;
  fs::remove_all(dir, ec);
  fs::create_directories(dir);
  fs::current_path(dir);
  return dir.string();
}

void UseManualClock(uint32_t startMs) {
  g_now = startMs;
  platform::SetTimeSource([] { return g_now; });
}

void AdvanceClock(uint32_t ms) { g_now += ms; }
uint32_t ManualClockNow() { return g_now; }

void RunFrames(int n) {
  for (int i = 0; i < n; ++i) g_GraphicsDevice.RenderFrame();
}

std::vector<uint32_t> ReadScreen(int x, int y, int width, int height) {
  std::vector<uint32_t> pixels;
  platform::GlDevice* device = g_GraphicsDevice.GetDevice();
  if (device) device->ReadPixels(x, y, width, height, &pixels);
  return pixels;
}

uint32_t PixelAt(int x, int y) {
  const std::vector<uint32_t> p = ReadScreen(x, y, 1, 1);
  return p.empty() ? 0xDEADBEEF : p[0];
}

void WriteFile(const std::string& path, const std::string& bytes) {
  namespace fs = std::filesystem;
  const fs::path p(path);
  if (p.has_parent_path()) fs::create_directories(p.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool FileExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

}  // namespace testsupport

// Stand-in for the scripted-input helpers until the input manager lands.
namespace testsupport {
void UseScriptedInput() {}
void PressKeys(std::initializer_list<int>) {}
void ReleaseKeys(std::initializer_list<int>) {}
void SetMouse(int, int, int) {}
}  // namespace testsupport
