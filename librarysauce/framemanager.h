#pragma once
// Runs one frame: the update phase (the game state's dispatcher), then, holding the render
// mutex, the sprite draw list from its head and the text hooks, in a fixed order, so text always
// lies over every sprite.
#include <array>
#include <mutex>

#include "platform/gldevice.h"
#include "platform/types.h"

class Sprite;

extern std::mutex g_RenderMutex;

class FrameManager {
 public:
  using TextHook = void (*)();
  // Text-log, start-menu, field, ADV message, FPS counter, action debug positions.
  static constexpr int kTextHookCount = 6;

  FrameManager();

  void RunFrame(platform::GlDevice* device);
  // The draw phase alone: the sprites, then the text hooks, holding the render mutex.
  void DrawPhase(platform::GlDevice* device);

  HRESULT OnCreateDevice(platform::GlDevice* device);
  HRESULT OnDestroyDevice(platform::GlDevice* device);
  HRESULT OnResetDevice(platform::GlDevice* device);
  HRESULT OnLostDevice(platform::GlDevice* device);

  Sprite* GetHead() const { return head_; }
  void SetHead(Sprite* sprite) { head_ = sprite; }
  // The sprite registered last while still listed at the depth it was registered with, or null:
  // where the next registration of a depth no smaller than the one before may start its walk.
  Sprite* GetLastRegistered() const { return lastRegistered_; }
  void SetLastRegistered(Sprite* sprite) { lastRegistered_ = sprite; }

  // The text hooks in drawing order. Tests may replace them to watch the frame's shape.
  std::array<TextHook, kTextHookCount>& TextHooks() { return textHooks_; }
  static std::array<TextHook, kTextHookCount> DefaultTextHooks();

 private:
  Sprite* head_ = nullptr;
  Sprite* lastRegistered_ = nullptr;
  std::array<TextHook, kTextHookCount> textHooks_;
};

extern FrameManager g_FrameManager;
