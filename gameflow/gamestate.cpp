#include "gameflow/gamestate.h"

#include "platform/window.h"

GameState g_GameState;

HRESULT GameState::Init() { return S_OK; }
HRESULT GameState::Release() { return S_OK; }
HRESULT GameState::LostDevice() { return S_OK; }
HRESULT GameState::RestoreDevice() { return S_OK; }
HRESULT GameState::OnSuspendedFrame() { return S_OK; }

HRESULT GameState::Dispatch() {
  if (mode_ == 20) platform::PostQuit(0);
  return S_OK;
}
