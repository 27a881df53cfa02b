#pragma once
// Runs one frame: the update phase (the game state's dispatcher), then, holding the render
// mutex, the sprite draw list from its head and the text hooks, in a fixed order, so text always
// lies over every sprite. The device's created, destroyed, lost and reset events go to the game
// state too. The library does not know the game state nor the scenes: the game gives the frame
// its hooks once at start-up (InstallGameHooks), before the window and the device exist.
#include <array>
#include <mutex>

#include "platform/gldevice.h"
#include "platform/types.h"

class Sprite;

extern std::mutex g_RenderMutex;

class FrameManager {
 public:
  using TextHook = void (*)();
  using GameHook = HRESULT (*)();
  // Text-log, start-menu, field, ADV message, FPS counter, action debug positions.
  static constexpr int kTextHookCount = 6;

  // What the game state gives the frame. A hook left null does nothing (and counts as 0).
  struct GameHooks {
    GameHook update = nullptr;          // the update phase; a negative result skips the draw phase
    GameHook deviceCreated = nullptr;   // its result is dropped: the device stands either way
    GameHook deviceDestroyed = nullptr;
    GameHook deviceReset = nullptr;     // its result is dropped
    GameHook deviceLost = nullptr;
    GameHook suspendedFrame = nullptr;  // in place of a frame while suspended; >= 0 ends it
    std::array<TextHook, kTextHookCount> text{};  // in drawing order
  };

  FrameManager() = default;

  // Takes the game's hooks, the text hooks among them (which become the default ones).
  void InstallGameHooks(const GameHooks& hooks);

  void RunFrame(platform::GlDevice* device);
  // The draw phase alone: the sprites, then the text hooks, holding the render mutex.
  void DrawPhase(platform::GlDevice* device);
  // What stands in for a frame while the device is suspended.
  HRESULT RunSuspendedFrame();

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
  // The text hooks the game installed (all null before it has).
  static std::array<TextHook, kTextHookCount> DefaultTextHooks();

 private:
  Sprite* head_ = nullptr;
  Sprite* lastRegistered_ = nullptr;
  GameHooks gameHooks_;
  std::array<TextHook, kTextHookCount> textHooks_{};
};

extern FrameManager g_FrameManager;
