#include "librarysauce/framemanager.h"

#include "librarysauce/sprite.h"

std::mutex g_RenderMutex;
FrameManager g_FrameManager;

namespace {
HRESULT Call(FrameManager::GameHook hook) { return hook ? hook() : S_OK; }
}  // namespace

void FrameManager::InstallGameHooks(const GameHooks& hooks) {
  gameHooks_ = hooks;
  textHooks_ = hooks.text;
}

std::array<FrameManager::TextHook, FrameManager::kTextHookCount> FrameManager::DefaultTextHooks() {
  return g_FrameManager.gameHooks_.text;
}

void FrameManager::RunFrame(platform::GlDevice* device) {
  if (Call(gameHooks_.update) < 0) return;
  DrawPhase(device);
}

void FrameManager::DrawPhase(platform::GlDevice* device) {
  std::lock_guard<std::mutex> lock(g_RenderMutex);
  for (Sprite* sprite = head_; sprite; sprite = sprite->GetNext()) sprite->Draw(device);
  for (TextHook hook : textHooks_) {
    if (hook) hook();
  }
}

HRESULT FrameManager::RunSuspendedFrame() { return Call(gameHooks_.suspendedFrame); }

HRESULT FrameManager::OnCreateDevice(platform::GlDevice*) {
  Call(gameHooks_.deviceCreated);
  return S_OK;
}

HRESULT FrameManager::OnDestroyDevice(platform::GlDevice*) { return Call(gameHooks_.deviceDestroyed); }

HRESULT FrameManager::OnResetDevice(platform::GlDevice*) {
  Call(gameHooks_.deviceReset);
  return S_OK;
}

HRESULT FrameManager::OnLostDevice(platform::GlDevice*) { return Call(gameHooks_.deviceLost); }
