#include "tests/testsupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <vector>

#include "act/mapmodel.h"
#include "field/fieldscene.h"
#include "gameflow/gamestate.h"
#include "gameflow/scenearrays.h"
#include "librarysauce/filescrambler.h"
#include "librarysauce/fpscounter.h"
#include "librarysauce/framemanager.h"
#include "librarysauce/gamefont.h"
#include "librarysauce/gamewindow.h"
#include "librarysauce/graphicsdevice.h"
#include "librarysauce/inputmanager.h"
#include "librarysauce/winmain.h"
#include "novel/advscene.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "platform/window.h"
#include "startmenu/startmenu.h"
#include "tools/artkit.h"

namespace testsupport {
namespace {
uint32_t g_now = 0;
bool g_started = false;

// The scratch directories this process made. They go when the process ends (every test runs in
// a process of its own), so test runs do not fill the disk with copies of the game; set
// VELUNNA_KEEP_SCRATCH to keep them for a look after a failure.
std::vector<std::string>& ScratchDirectories() {
  static std::vector<std::string> dirs;
  return dirs;
}

void RemoveScratchDirectories() {
  if (std::getenv("VELUNNA_KEEP_SCRATCH")) return;
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::current_path(fs::temp_directory_path(ec), ec);
  for (const std::string& dir : ScratchDirectories()) fs::remove_all(dir, ec);
}
}  // namespace

void StartGame() {
  if (g_started) return;
  InstallFrameHooks();
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
  std::vector<std::string>& dirs = ScratchDirectories();
  if (dirs.empty()) std::atexit(RemoveScratchDirectories);
  if (std::find(dirs.begin(), dirs.end(), dir.string()) == dirs.end()) dirs.push_back(dir.string());
  return dir.string();
}

void EnterDemoCopy() {
  EnterScratchDirectory(::testing::UnitTest::GetInstance()->current_test_info()->name());
  namespace fs = std::filesystem;
  fs::copy(VELUNNA_GAME_DIR, ".", fs::copy_options::recursive | fs::copy_options::skip_existing);
}

void PlayDemoCopy() {
  StartGame();
  EnterDemoCopy();
  UseManualClock();
  UseScriptedInput();
  // As the game starts: nothing left by a test before.
  g_SceneArrays.Release();
  Renew(&g_StartMenu);
  Renew(&g_FieldScene);
  g_AdvScene.Release();
  g_MapModel.Release();
  g_FpsCounter = FpsCounter();
  g_GameState.SetQuitCode(0);
  g_GameState.SetMode(GameMode::MainScript);
}

void PlaceSprite(Sprite* sprite, int32_t texture, float x, float y, float width, float height, uint32_t depth,
                 uint32_t color, BlendMode mode) {
  sprite->SetTexture(texture);
  sprite->SetSrcPos(0, 0);
  sprite->SetSize(width, height);
  sprite->SetPos(x, y);
  sprite->SetDepth(depth);
  sprite->SetScale(1, 1);
  sprite->SetColor(color);
  sprite->SetBlendMode(mode);
  ASSERT_EQ(sprite->Register(), S_OK);
  sprite->Show();
}

void UseManualClock(uint32_t startMs) {
  g_now = startMs;
  platform::SetTimeSource([] { return g_now; });
}

void AdvanceClock(uint32_t ms) { g_now += ms; }
uint32_t ManualClockNow() { return g_now; }

void StillFrames(int n) {
  for (int i = 0; i < n; ++i) g_GraphicsDevice.RenderFrame();
}

void StillTap(int key, int times) {
  for (int i = 0; i < times; ++i) {
    PressKeys({key});
    StillFrames(1);
    ReleaseKeys({key});
    StillFrames(1);
  }
}

void HoldStillFrames(std::initializer_list<int> keys, int n) {
  PressKeys(keys);
  StillFrames(n);
}

void PlayFrames(int n) {
  for (int i = 0; i < n; ++i) {
    AdvanceClock(17);
    StillFrames(1);
  }
}

bool PlayUntil(const std::function<bool()>& done, int maxFrames) {
  for (int i = 0; i < maxFrames && !done(); ++i) PlayFrames(1);
  return done();
}

void PlayTap(int key) {
  PressKeys({key});
  PlayFrames(1);
  ReleaseKeys({key});
  PlayFrames(1);
}

namespace {
// The capture that answers boxes now (the innermost live one), or none.
MessageBoxCapture* g_capture = nullptr;
}  // namespace

MessageBoxCapture::MessageBoxCapture() : outer_(g_capture) { Install(); }

MessageBoxCapture::~MessageBoxCapture() {
  g_capture = outer_;
  if (outer_) {
    outer_->Install();
  } else {
    platform::SetMessageBoxHandler(nullptr);
  }
}

void MessageBoxCapture::Install() {
  g_capture = this;
  platform::SetMessageBoxHandler(
      [this](const std::string& text, const std::string& caption, platform::MessageBoxKind kind) {
        return Take(text, caption, kind);
      });
}

platform::MessageBoxAnswer MessageBoxCapture::Take(const std::string& text, const std::string& caption,
                                                   platform::MessageBoxKind kind) {
  if (kindRequired_) {
    EXPECT_EQ(kind, requiredKind_) << whyKind_;
  }
  messages.push_back(text);
  captioned.push_back(caption + "|" + text);
  return answer;
}

bool MessageBoxCapture::Mentions(const std::string& utf8) const {
  for (const std::string& m : messages)
    if (m.find(utf8) != std::string::npos) return true;
  return false;
}

void MessageBoxCapture::Clear() {
  messages.clear();
  captioned.clear();
}

void MessageBoxCapture::RequireKind(platform::MessageBoxKind kind, const std::string& why) {
  kindRequired_ = true;
  requiredKind_ = kind;
  whyKind_ = why;
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

::testing::AssertionResult HeldFrameIsAFullRedraw() {
  platform::GlDevice* device = g_GraphicsDevice.GetDevice();
  if (!device) return ::testing::AssertionFailure() << "no device";
  const std::vector<uint32_t> held = ReadScreen();
  device->SetShortcutsEnabled(false);
  device->Clear(0x00000000);
  device->BeginScene();
  g_FrameManager.DrawPhase(device);
  device->EndScene();
  device->SetShortcutsEnabled(true);
  const std::vector<uint32_t> redrawn = ReadScreen();
  size_t differing = 0, first = 0;
  for (size_t i = 0; i < held.size() && i < redrawn.size(); ++i) {
    if (held[i] != redrawn[i] && differing++ == 0) first = i;
  }
  if (held.size() == redrawn.size() && differing == 0) return ::testing::AssertionSuccess();
  if (held.size() != redrawn.size()) return ::testing::AssertionFailure() << "the frame could not be read back";
  char pixels[64];
  std::snprintf(pixels, sizeof pixels, "0x%08X held, 0x%08X redrawn", held[first], redrawn[first]);
  return ::testing::AssertionFailure() << differing << " pixels differ from a full redraw, the first at ("
                                       << first % 854 << ", " << first / 854 << "): " << pixels;
}

namespace {
// The box, in screen pixels, of the pixels that differ between two read-backs of a region.
struct PixelBox {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  bool operator==(const PixelBox& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};
std::ostream& operator<<(std::ostream& out, const PixelBox& b) {
  return out << "(" << b.left << ", " << b.top << ")-(" << b.right << ", " << b.bottom << ")";
}

PixelBox ChangedBox(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int x, int y, int width) {
  PixelBox box;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (a[i] == b[i]) continue;
    const int px = x + static_cast<int>(i % static_cast<size_t>(width));
    const int py = y + static_cast<int>(i / static_cast<size_t>(width));
    box.left = std::min(box.left, px);
    box.right = std::max(box.right, px);
    box.top = std::min(box.top, py);
    box.bottom = std::max(box.bottom, py);
  }
  return box;
}

// What the scenes' text hooks drew in the region of the last frame.
PixelBox TextInk(int x, int y, int width, int height) {
  const std::vector<uint32_t> with = ReadScreen(x, y, width, height);
  const int mode = g_GameState.GetMode();
  g_GameState.SetMode(13);
  StillFrames(1);
  const std::vector<uint32_t> without = ReadScreen(x, y, width, height);
  g_GameState.SetMode(mode);
  StillFrames(1);
  return ChangedBox(with, without, x, y, width);
}

// The same text drawn alone with a font slot at (x, y) on a cleared frame.
PixelBox LoneTextInk(int fontSlot, const char* text, int x, int y) {
  platform::GlDevice* device = g_GraphicsDevice.GetDevice();
  device->Clear(0);
  const std::vector<uint32_t> empty = ReadScreen();
  device->BeginScene();
  g_Fonts[fontSlot].DrawText(text, x, y, 64, 16, 0xFFFAFAFA);
  device->EndScene();
  return ChangedBox(ReadScreen(), empty, 0, 0, platform::GlDevice::kWidth);
}
}  // namespace

void ExpectCommentWindowTexts(const char* title, const char* comment) {
  const PixelBox titleInk = TextInk(0, 400, 480, 30);
  const PixelBox commentInk = TextInk(0, 430, 480, 40);
  EXPECT_EQ(titleInk, LoneTextInk(0, title, 10, 410)) << "title";
  EXPECT_EQ(commentInk, LoneTextInk(0, comment, 34, 434)) << "comment";
  StillFrames(1);  // the scene's own frame again
}

BmpFile::BmpFile(const std::string& path) : bytes_(ReadFile(path)) {}

uint32_t BmpPixel(const std::string& path, int x, int y) { return BmpFile(path).Pixel(x, y); }

uint32_t BmpFile::Pixel(int x, int y) const {
  const std::string& bmp = bytes_;
  auto u32 = [&bmp](size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(bmp[at])) | static_cast<uint8_t>(bmp[at + 1]) << 8 |
           static_cast<uint8_t>(bmp[at + 2]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(bmp[at + 3])) << 24;
  };
  if (bmp.size() < 54) return 0xDEADBEEF;
  const uint32_t offset = u32(10), infoSize = u32(14), width = u32(18), height = u32(22);
  const uint32_t bits = u32(28) & 0xFFFF;
  if (x < 0 || y < 0 || static_cast<uint32_t>(x) >= width || static_cast<uint32_t>(y) >= height) return 0xDEADBEEF;
  if (bits != 8 && bits != 24) return 0xDEADBEEF;
  const size_t stride = (width * bits / 8 + 3) / 4 * 4;
  const size_t at = offset + (height - 1 - y) * stride + x * bits / 8;
  if (at + bits / 8 > bmp.size()) return 0xDEADBEEF;
  if (bits == 24) {
    return static_cast<uint8_t>(bmp[at]) | static_cast<uint8_t>(bmp[at + 1]) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(bmp[at + 2])) << 16;
  }
  // A palette entry: blue, green, red and a spare byte.
  const size_t entry = 14 + infoSize + static_cast<size_t>(static_cast<uint8_t>(bmp[at])) * 4;
  return entry + 4 > offset ? 0xDEADBEEF : u32(entry) & 0xFFFFFF;
}

bool SaveScreen(const std::string& path) {
  const std::vector<uint32_t> pixels = ReadScreen();
  if (pixels.size() != 854u * 480u) return false;
  artkit::Canvas canvas(854, 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 854; ++x) {
      const uint32_t p = pixels[static_cast<size_t>(y) * 854 + x];
      canvas.Set(x, y, {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)});
    }
  return canvas.SaveBmp(path);
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

std::string MakeWav(int ms, int sampleRate) {
  const uint32_t samples = static_cast<uint32_t>(static_cast<int64_t>(sampleRate) * ms / 1000);
  std::string wav;
  auto put32 = [&wav](uint32_t v) {
    for (int i = 0; i < 4; ++i) wav.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  auto put16 = [&wav](uint16_t v) {
    wav.push_back(static_cast<char>(v & 0xFF));
    wav.push_back(static_cast<char>(v >> 8));
  };
  wav += "RIFF";
  put32(36 + samples);
  wav += "WAVEfmt ";
  put32(16);
  put16(1);  // PCM
  put16(1);  // mono
  put32(static_cast<uint32_t>(sampleRate));
  put32(static_cast<uint32_t>(sampleRate));  // bytes per second
  put16(1);                                  // block align
  put16(8);                                  // bits per sample
  wav += "data";
  put32(samples);
  for (uint32_t i = 0; i < samples; ++i) wav.push_back(static_cast<char>((i / 20) % 2 ? 0x90 : 0x70));
  return wav;
}

}  // namespace testsupport

namespace testsupport {
namespace {
platform::ScriptedInput& Scripted() {
  if (!platform::GetScriptedInput()) platform::SetScriptedInput(platform::ScriptedInput{});
  return *platform::GetScriptedInput();
}
void SetKeys(std::initializer_list<int> dikCodes, uint8_t value) {
  platform::ScriptedInput& input = Scripted();
  for (int code : dikCodes) {
    if (code >= 0 && code < platform::kKeyCount) input.keys[code] = value;
  }
}
}  // namespace

void UseScriptedInput() {
  platform::SetScriptedInput(platform::ScriptedInput{});
  ASSERT_EQ(g_Input.Create(), S_OK);
  g_Input.Poll();
}

void PressKeys(std::initializer_list<int> dikCodes) { SetKeys(dikCodes, platform::kPressed); }
void ReleaseKeys(std::initializer_list<int> dikCodes) { SetKeys(dikCodes, 0); }

void ReleaseAll() {
  platform::ScriptedInput& input = Scripted();
  const bool attached = input.controllerAttached;
  const bool focused = input.focused;
  input = platform::ScriptedInput{};
  input.controllerAttached = attached;
  input.focused = focused;
}

void SetMouse(int x, int y, int buttons) {
  platform::ScriptedInput& input = Scripted();
  for (int i = 0; i < 3; ++i) input.mouse.rgbButtons[i] = (buttons >> i) & 1 ? platform::kPressed : 0;
  platform::Event move;
  move.type = platform::EventType::MouseMove;
  move.x = x;
  move.y = y;
  WndProc(move);
}

void SetJoystick(int x, int y, std::initializer_list<int> buttons) {
  platform::ScriptedInput& input = Scripted();
  input.controllerAttached = true;
  input.joy = platform::JoyState{};
  input.joy.lX = x;
  input.joy.lY = y;
  for (int b : buttons) {
    if (b >= 0 && b < platform::kJoyButtonCount) input.joy.rgbButtons[b] = platform::kPressed;
  }
}

void UnplugJoystick() {
  platform::ScriptedInput& input = Scripted();
  input.controllerAttached = false;
  input.joy = platform::JoyState{};
}

void SetInputFocus(bool focused) { Scripted().focused = focused; }

void PollInput() { g_Input.Poll(); }

void StopScriptedInput() { platform::ClearScriptedInput(); }

}  // namespace testsupport

namespace testsupport {

void WriteScrambled(const std::string& path, const std::string& text) {
  std::string bytes = text;
  g_FileScrambler.XorBuffer(bytes.data(), bytes.data(), static_cast<uint32_t>(bytes.size()));
  WriteFile(path, bytes);
}

void WriteGameImage(const std::string& path, const artkit::Canvas& canvas) {
  const std::string plain = "picture.tmp";
  ASSERT_TRUE(canvas.SaveBmp(plain));
  std::string bytes = ReadFile(plain);
  std::remove(plain.c_str());
  g_FileScrambler.XorBufferAll(bytes.data(), bytes.data(), static_cast<uint32_t>(bytes.size()));
  WriteFile(path, bytes);
}

}  // namespace testsupport
