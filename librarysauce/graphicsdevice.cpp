#include "librarysauce/graphicsdevice.h"

#include <cstdio>
#include <string>

#include "librarysauce/framemanager.h"

GraphicsDevice g_GraphicsDevice;

HRESULT GraphicsDevice::Create(void* window) {
  std::string error;
  if (!window) error = "no game window";
  if (error.empty()) device_.Create(&error);
  if (!error.empty()) {
    std::snprintf(lastError_, sizeof lastError_, "%s", error.c_str());
    return E_FAIL;
  }
  // The game state's own start-up result does not stop the program.
  g_FrameManager.OnCreateDevice(&device_);
  return S_OK;
}

void GraphicsDevice::RenderFrame() {
  if (suspended_) {
    if (g_FrameManager.RunSuspendedFrame() >= 0) suspended_ = 0;
    return;
  }
  device_.Clear(0x00000000);
  device_.BeginScene();
  if (ResetOnResize() == 0) g_FrameManager.RunFrame(&device_);
  device_.EndScene();
  device_.Present();
}

void GraphicsDevice::Release() {
  g_FrameManager.OnDestroyDevice(&device_);
  device_.Release();
}
