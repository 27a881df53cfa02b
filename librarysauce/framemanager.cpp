#include "librarysauce/framemanager.h"

#include "act/actionscene.h"
#include "field/fieldscene.h"
#include "gameflow/gamestate.h"
#include "librarysauce/fpscounter.h"
#include "librarysauce/sprite.h"
#include "librarysauce/textlog.h"
#include "novel/advscene.h"
#include "startmenu/startmenu.h"

std::mutex g_RenderMutex;
FrameManager g_FrameManager;

namespace {
void DrawTextLog() { g_TextLog.Draw(); }
void DrawStartMenu() { g_StartMenu.Draw(); }
void DrawFieldScene() { g_FieldScene.Draw(); }
void DrawAdvMessage() { g_AdvScene.DrawMessage(); }
void DrawFpsCounter() { g_FpsCounter.Draw(); }
void DrawActionDebug() { g_ActionScene.DrawDebugPositions(); }
}  // namespace

std::array<FrameManager::TextHook, FrameManager::kTextHookCount> FrameManager::DefaultTextHooks() {
  return {&DrawTextLog, &DrawStartMenu, &DrawFieldScene, &DrawAdvMessage, &DrawFpsCounter, &DrawActionDebug};
}

FrameManager::FrameManager() : textHooks_(DefaultTextHooks()) {}

void FrameManager::RunFrame(platform::GlDevice* device) {
  if (g_GameState.Dispatch() < 0) return;
  DrawPhase(device);
}

void FrameManager::DrawPhase(platform::GlDevice* device) {
  std::lock_guard<std::mutex> lock(g_RenderMutex);
  for (Sprite* sprite = head_; sprite; sprite = sprite->GetNext()) sprite->Draw(device);
  for (TextHook hook : textHooks_) {
    if (hook) hook();
  }
}

HRESULT FrameManager::OnCreateDevice(platform::GlDevice*) {
  g_GameState.Init();
  return S_OK;
}

HRESULT FrameManager::OnDestroyDevice(platform::GlDevice*) { return g_GameState.Release(); }

HRESULT FrameManager::OnResetDevice(platform::GlDevice*) {
  g_GameState.RestoreDevice();
  return S_OK;
}

HRESULT FrameManager::OnLostDevice(platform::GlDevice*) { return g_GameState.LostDevice(); }
