#pragma once
// One texture made from one image file, with the image's own size, its file name and the colour
// key it was loaded with. Image files are stored scrambled and are unscrambled through a
// temporary file before they are decoded.
#include <cstdint>
#include <string>

#include "platform/gldevice.h"
#include "platform/types.h"

struct TextureInfo {
  char name[256];
  D3DCOLOR colorKey;
};

class Texture {
 public:
  // The colour key of nearly every picture of the game: pure green (ARGB) is transparent.
  static constexpr D3DCOLOR kKeyGreen = 0xFF00FF00;

  Texture();
  ~Texture();
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;

  HRESULT LoadConverted(const char* path, D3DCOLOR colorKey);
  HRESULT LoadFromFile(const char* path);
  HRESULT CreateRenderTarget(uint32_t width, uint32_t height, int format);
  HRESULT Release();

  // The GL texture (0 when nothing is loaded).
  platform::TextureId GetD3DTexture() const { return texture_; }
  uint32_t GetWidth() const { return width_; }
  uint32_t GetHeight() const { return height_; }
  TextureInfo* GetInfo(TextureInfo* out) const;

 private:
  friend struct TextureTestAccess;  // lets tests and benchmarks hand in textures made on the device
  // How both loads end: a picture that did not become a texture is reported (why: error) and
  // fails; one that did is kept with its size, its file name and its colour key.
  HRESULT KeepLoaded(const char* path, platform::TextureId created, int width, int height, D3DCOLOR colorKey,
                     const std::string& error);

  platform::TextureId texture_ = 0;
  uint32_t width_ = 0;
  uint32_t height_ = 0;
  char name_[256] = {};
  D3DCOLOR colorKey_ = 0;
};

// The current scene's texture array and its length (sprites index into it).
extern Texture* g_TextureTable;
extern int g_TextureTableCount;  // entries in g_TextureTable (0 when none is allocated)
