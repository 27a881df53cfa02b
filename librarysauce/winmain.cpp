#include "librarysauce/winmain.h"

#include <cstdio>

#include "librarysauce/gamewindow.h"
#include "librarysauce/graphicsdevice.h"
#include "librarysauce/inputmanager.h"
#include "librarysauce/keyconfig.h"
#include "platform/messagebox.h"

namespace {
// "終了してよろしいですか？" / "終了確認" in Shift-JIS.
const char kQuitQuestion[] =
    "\x8f\x49\x97\xb9\x82\xb5\x82\xc4\x82\xe6\x82\xeb\x82\xb5\x82\xa2\x82\xc5\x82\xb7\x82\xa9\x81\x48";
const char kQuitCaption[] = "\x8f\x49\x97\xb9\x8a\x6d\x94\x46";
}  // namespace

void WndProc(const platform::Event& event) {
  switch (event.type) {
    case platform::EventType::Close:
      // Answering no keeps the game running; no frame runs while the box is open.
      if (platform::ShowMessageBox(kQuitQuestion, kQuitCaption, platform::MessageBoxKind::YesNo) ==
          platform::MessageBoxAnswer::Yes) {
        platform::DestroyWindowAndNotify();
      }
      break;
    case platform::EventType::Destroy:
      platform::PostQuit(0);
      break;
    case platform::EventType::Resize:
      g_GraphicsDevice.SetResizePending();
      break;
    case platform::EventType::MouseMove:
      g_Input.SetMousePos(InputManager::MakeMousePos(event.x, event.y));
      break;
    default:
      break;
  }
}

bool RunMessageLoopTurn(int* exitCode) {
  platform::Event event;
  if (platform::PeekEvent(&event)) {
    if (event.type == platform::EventType::Quit) {
      if (exitCode) *exitCode = event.code;
      return true;
    }
    WndProc(event);
  } else {
    g_GraphicsDevice.RenderFrame();
  }
  return false;
}

int WinMain(int showCommand) {
  // Signals are taken from the start, so they end the game even while the first box waits.
  platform::InstallSignalHandlers();
  // The key configuration is read from the game's directory, before the window exists.
  g_KeyConfig.Load();
  g_GameWindow.SetInstance(nullptr);
  if (g_GameWindow.RegisterClass() == 0) return 1;
  if (g_GameWindow.Create(showCommand) == 0) return 1;
  if (g_GraphicsDevice.Create(g_GameWindow.GetHWnd()) < 0) {
    std::fprintf(stderr, "Velunna: cannot create the graphics device: %s\n", g_GraphicsDevice.LastError());
    g_GameWindow.Destroy();
    return 1;
  }

  int exitCode = 0;
  while (!RunMessageLoopTurn(&exitCode)) {
  }

  g_GraphicsDevice.Release();
  g_GameWindow.Destroy();
  platform::ShutdownVideo();
  return exitCode;
}
