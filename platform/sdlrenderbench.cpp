#include "platform/sdlrenderbench.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <cstring>

namespace platform {

bool SdlRenderBench::Create(const std::vector<std::vector<uint32_t>>& texels, int size, std::string* error) {
  Release();
  gameWindow_ = SDL_GL_GetCurrentWindow();
  gameContext_ = SDL_GL_GetCurrentContext();
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  SDL_Window* window = SDL_CreateWindow("yardstick", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                        GlDevice::kWidth, GlDevice::kHeight, SDL_WINDOW_HIDDEN | SDL_WINDOW_OPENGL);
  if (!window) {
    if (error) *error = std::string("SDL window: ") + SDL_GetError();
    return false;
  }
  window_ = window;
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
  SDL_RendererInfo info;
  if (!renderer || SDL_GetRendererInfo(renderer, &info) != 0 || std::strcmp(info.name, "opengl") != 0) {
    if (error) *error = std::string("SDL OpenGL renderer: ") + (renderer ? info.name : SDL_GetError());
    if (renderer) SDL_DestroyRenderer(renderer);
    Release();
    return false;
  }
  renderer_ = renderer;
  context_ = SDL_GL_GetCurrentContext();  // the renderer's own, current since its creation
  SDL_Texture* target = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                          GlDevice::kWidth, GlDevice::kHeight);
  if (!target || SDL_SetRenderTarget(renderer, target) != 0) {
    if (error) *error = std::string("SDL render target: ") + SDL_GetError();
    Release();
    return false;
  }
  target_ = target;
  for (const std::vector<uint32_t>& pixels : texels) {
    SDL_Texture* texture =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, size, size);
    if (!texture) {
      if (error) *error = std::string("SDL texture: ") + SDL_GetError();
      Release();
      return false;
    }
    SDL_UpdateTexture(texture, nullptr, pixels.data(), size * 4);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
    textures_.push_back(texture);
  }
  ReturnToGame();
  return true;
}

void SdlRenderBench::Release() {
  for (void* texture : textures_) SDL_DestroyTexture(static_cast<SDL_Texture*>(texture));
  textures_.clear();
  if (target_) SDL_DestroyTexture(static_cast<SDL_Texture*>(target_));
  target_ = nullptr;
  if (renderer_) SDL_DestroyRenderer(static_cast<SDL_Renderer*>(renderer_));
  renderer_ = nullptr;
  context_ = nullptr;
  if (window_) SDL_DestroyWindow(static_cast<SDL_Window*>(window_));
  window_ = nullptr;
  ReturnToGame();
}

void SdlRenderBench::SetQuads(const std::vector<ScreenVertex>& vertices, const std::vector<int>& textureOfQuad) {
  static_assert(sizeof(SDL_Vertex) == 5 * sizeof(float), "SDL_Vertex is position, colour, texture coordinate");
  std::vector<SDL_Vertex> sdl(vertices.size());
  for (size_t i = 0; i < vertices.size(); ++i) {
    const ScreenVertex& v = vertices[i];
    sdl[i].position = SDL_FPoint{v.x, v.y};
    sdl[i].color = SDL_Color{static_cast<Uint8>(v.diffuse >> 16), static_cast<Uint8>(v.diffuse >> 8),
                             static_cast<Uint8>(v.diffuse), static_cast<Uint8>(v.diffuse >> 24)};
    sdl[i].tex_coord = SDL_FPoint{v.u, v.v};
  }
  vertices_.resize(sdl.size() * 5);
  std::memcpy(vertices_.data(), sdl.data(), sdl.size() * sizeof(SDL_Vertex));
  textureOfQuad_ = textureOfQuad;
}

void SdlRenderBench::DrawFrame() {
  if (!renderer_) return;
  SDL_Renderer* renderer = static_cast<SDL_Renderer*>(renderer_);
  const SDL_Vertex* vertices = reinterpret_cast<const SDL_Vertex*>(vertices_.data());
  static const int kIndices[6] = {0, 1, 2, 2, 1, 3};
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 0);
  SDL_RenderClear(renderer);
  for (size_t q = 0; q < textureOfQuad_.size(); ++q) {
    SDL_RenderGeometry(renderer, static_cast<SDL_Texture*>(textures_[textureOfQuad_[q]]), vertices + q * 4, 4,
                       kIndices, 6);
  }
  SDL_RenderFlush(renderer);
  glFinish();
}

void SdlRenderBench::Activate() {
  if (window_ && context_) SDL_GL_MakeCurrent(static_cast<SDL_Window*>(window_), static_cast<SDL_GLContext>(context_));
}

void SdlRenderBench::ReturnToGame() {
  if (gameWindow_ && gameContext_) {
    SDL_GL_MakeCurrent(static_cast<SDL_Window*>(gameWindow_), static_cast<SDL_GLContext>(gameContext_));
  }
}

uint32_t SdlRenderBench::PixelAt(int x, int y) {
  if (!renderer_) return 0;
  uint32_t pixel = 0;
  SDL_Rect rect{x, y, 1, 1};
  SDL_RenderReadPixels(static_cast<SDL_Renderer*>(renderer_), &rect, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
  return pixel;
}

}  // namespace platform
