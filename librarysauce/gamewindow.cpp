#include "librarysauce/gamewindow.h"

#include <cstdio>
#include <string>

#include "platform/window.h"

GameWindow g_GameWindow;

const char kWindowClassName[] = "DirectX9_0_GameLibrary";
const char kWindowTitle[] = "Velunna V00.03.00";

GameWindow::GameWindow() = default;

int GameWindow::RegisterClass() {
  std::string error;
  if (!platform::InitVideo(&error)) {
    std::fprintf(stderr, "Velunna: %s\n", error.c_str());
    return 0;
  }
  return 1;
}

int GameWindow::Create(int /*showCommand*/) {
  std::string error;
  if (!platform::CreateGameWindow(kWindowTitle, clientWidth_, clientHeight_, &error)) {
    std::fprintf(stderr, "Velunna: %s\n", error.c_str());
    return 0;
  }
  window_ = platform::NativeWindow();
  SaveWindowRect();
  return 1;
}

int GameWindow::SaveWindowRect() {
  platform::GetWindowPosition(&savedX_, &savedY_);
  return 0;
}

void GameWindow::Destroy() {
  platform::DestroyGameWindow();
  window_ = nullptr;
}
