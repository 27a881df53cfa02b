#include "platform/image.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <cstring>

namespace platform {

bool LoadBmp(const std::string& path, std::vector<uint32_t>* argb, int* width, int* height, std::string* error) {
  SDL_Surface* loaded = SDL_LoadBMP(path.c_str());
  if (!loaded) {
    if (error) *error = std::string("not a readable BMP image (") + SDL_GetError() + ")";
    return false;
  }
  SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  if (!converted) {
    if (error) *error = std::string("cannot convert its pixels (") + SDL_GetError() + ")";
    return false;
  }
  const int w = converted->w;
  const int h = converted->h;
  argb->assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
  SDL_LockSurface(converted);
  for (int y = 0; y < h; ++y) {
    const unsigned char* row = static_cast<const unsigned char*>(converted->pixels) + static_cast<size_t>(y) * converted->pitch;
    std::memcpy(argb->data() + static_cast<size_t>(y) * w, row, static_cast<size_t>(w) * sizeof(uint32_t));
  }
  SDL_UnlockSurface(converted);
  SDL_FreeSurface(converted);
  *width = w;
  *height = h;
  return true;
}

bool IsLiveTexture(uint32_t texture) {
  return texture != 0 && SDL_GL_GetCurrentContext() && glIsTexture(texture) == GL_TRUE;
}

int MaxTextureSize() {
  if (!SDL_GL_GetCurrentContext()) return 0;
  GLint size = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
  return size;
}

}  // namespace platform
