#pragma once
// Owns the graphics device and the shape of one frame: clear, begin, the frame's update and draw
// phases, end, present.
#include "platform/gldevice.h"
#include "platform/types.h"

class GraphicsDevice {
 public:
  // Creates the device on the game window and sends the device-created event.
  HRESULT Create(void* window);
  void RenderFrame();
  // Sends the device-destroyed event, then releases the device.
  void Release();
  void SetResizePending() { resizePending_ = 1; }
  int IsResizePending() const { return resizePending_; }
  platform::GlDevice* GetDevice() { return device_.IsCreated() ? &device_ : nullptr; }
  void SetSuspended(int flag) { suspended_ = flag; }
  // The resize reset is switched off: the back buffer keeps its size and frames go on as before.
  int ResetOnResize() { return 0; }
  // What failed last in Create, for the start-up message.
  const char* LastError() const { return lastError_; }

 private:
  platform::GlDevice device_;
  [[maybe_unused]] int fullscreen_ = 0;  // the fullscreen toggle is switched off
  int resizePending_ = 0;
  int suspended_ = 0;
  char lastError_[256] = {};
};

extern GraphicsDevice g_GraphicsDevice;
