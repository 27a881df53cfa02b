#include "gameflow/gamestate.h"

#include "librarysauce/inputmanager.h"
#include "novel/advscene.h"
#include "platform/window.h"

GameState g_GameState;

HRESULT GameState::Init() { return S_OK; }
HRESULT GameState::Release() { return S_OK; }
HRESULT GameState::LostDevice() { return S_OK; }
HRESULT GameState::RestoreDevice() { return S_OK; }
HRESULT GameState::OnSuspendedFrame() { return S_OK; }

HRESULT GameState::Dispatch() {
  // Stand-in for the input poll and the ADV steps until the dispatcher lands.
  g_InputManager.Poll();
  switch (mode_) {
    case 7: g_AdvScene.SetUpGraphics(); break;
    case 8: g_AdvScene.Update(); break;
    case 9: g_AdvScene.RunNextFile(); break;
    case 10: mode_ = nextMode_; break;
    default: break;
  }
  if (mode_ == 20) platform::PostQuit(0);
  return S_OK;
}
