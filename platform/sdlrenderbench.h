#pragma once
// SDL's own 2-D renderer (OpenGL back end, batching on) drawing the same quads as the game's
// device, for the drawing benchmark's yardstick. It renders into an 854×480 target texture on a
// hidden window of its own; nothing in the game uses it.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gldevice.h"

namespace platform {

class SdlRenderBench {
 public:
  SdlRenderBench() = default;
  ~SdlRenderBench() { Release(); }
  SdlRenderBench(const SdlRenderBench&) = delete;
  SdlRenderBench& operator=(const SdlRenderBench&) = delete;

  // Creates the renderer and `textureCount` textures of size × size from ARGB texels (one
  // array per texture). Leaves the GL context that was current before current again.
  bool Create(const std::vector<std::vector<uint32_t>>& texels, int size, std::string* error);
  void Release();

  // The quads to draw: four strip-ordered vertices each and the texture each one uses.
  void SetQuads(const std::vector<ScreenVertex>& vertices, const std::vector<int>& textureOfQuad);
  // One frame: clear the target, one SDL_RenderGeometry per quad, alpha blended, then flush and
  // wait for the GL work. The renderer's GL context stays current until ReturnToGame.
  void DrawFrame();
  // Makes the renderer's GL context current (so that switching is not timed as drawing).
  void Activate();
  // Makes the GL context that was current before Create current again.
  void ReturnToGame();
  // The target's pixel at (x, y) as ARGB (checks that the yardstick really draws).
  uint32_t PixelAt(int x, int y);

 private:
  void* window_ = nullptr;
  void* renderer_ = nullptr;
  void* context_ = nullptr;
  void* target_ = nullptr;
  std::vector<void*> textures_;
  std::vector<float> vertices_;  // SDL_Vertex records, four per quad
  std::vector<int> textureOfQuad_;
  void* gameWindow_ = nullptr;
  void* gameContext_ = nullptr;
};

}  // namespace platform
