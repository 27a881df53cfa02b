#include "librarysauce/fpscounter.h"

#include <cstdio>

#include "librarysauce/frameclock.h"
#include "librarysauce/gamefont.h"
#include "librarysauce/inputmanager.h"

FpsCounter g_FpsCounter;

namespace {

constexpr int kToggleKey = 59;  // F1, by its DirectInput key code
constexpr D3DCOLOR kTextColor = 0xFFFF00FF;

}  // namespace

// The counter is made before the frame clock first reads the time, so it counts from time 0 and
// the first frame, already far past 0, replaces "60FPS" at once.
FpsCounter::FpsCounter() : lastTimeMs_(0), frameCount_(0), visible_(0) {
  std::snprintf(text_, sizeof text_, "60FPS");
}

void FpsCounter::Update() {
  const uint32_t now = g_FrameClock.GetTime();
  if (now - lastTimeMs_ >= 1000) {
    std::snprintf(text_, sizeof text_, "%uFPS", static_cast<unsigned>(frameCount_));
    frameCount_ = 0;
    lastTimeMs_ = g_FrameClock.GetTime();
  } else {
    ++frameCount_;
  }
}

void FpsCounter::HandleToggleKey() {
  if (g_Input.IsKeyTriggered(kToggleKey)) visible_ = visible_ ? 0 : 1;
}

HRESULT FpsCounter::Draw() {
  if (visible_) g_Fonts[2].DrawText(text_, 0, 460, 64, 16, kTextColor);
  return S_OK;
}
