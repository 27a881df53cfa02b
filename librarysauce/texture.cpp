#include "librarysauce/texture.h"

#include <cstring>

Texture* g_TextureTable = nullptr;
int g_TextureTableCount = 0;

Texture::Texture() = default;
Texture::~Texture() { Release(); }

HRESULT Texture::LoadConverted(const char*, D3DCOLOR) { return E_FAIL; }
HRESULT Texture::LoadFromFile(const char*) { return E_FAIL; }
HRESULT Texture::CreateRenderTarget(uint32_t, uint32_t, int) { return E_FAIL; }

HRESULT Texture::Release() {
  texture_ = 0;
  width_ = height_ = 0;
  std::memset(name_, 0, sizeof name_);
  colorKey_ = 0;
  return S_OK;
}

TextureInfo* Texture::GetInfo(TextureInfo* out) const {
  std::memcpy(out->name, name_, sizeof name_);
  out->colorKey = colorKey_;
  return out;
}
