#pragma once
// Stand-in until the sprite lands: the operations the scenes call, with no drawing.
#include <cstdint>

#include "platform/gldevice.h"
#include "platform/types.h"

enum class BlendMode : int32_t { Opaque = 0, Alpha = 1 };

struct SpriteState {
  int32_t visible = 0;
  int32_t textureIndex = -1;
  float srcX = 0, srcY = 0, width = 0, height = 0, x = 0, y = 0, scaleX = 0, scaleY = 0;
  D3DCOLOR color = 0;
  uint32_t depth = 0xFFFFFFFF;
  BlendMode blendMode = BlendMode::Opaque;
};

class Sprite {
 public:
  HRESULT Draw(platform::GlDevice* device);
  Sprite* GetNext() const { return next_; }
  void SetNext(Sprite* next) { next_ = next; }
  HRESULT SetTexture(int32_t i) { s_.textureIndex = i; return S_OK; }
  HRESULT SetDepth(uint32_t d) { s_.depth = d; return S_OK; }
  HRESULT SetSrcPos(float x, float y) { s_.srcX = x; s_.srcY = y; return S_OK; }
  HRESULT SetSize(float w, float h) { s_.width = w; s_.height = h; return S_OK; }
  HRESULT SetColor(D3DCOLOR c) { s_.color = c; return S_OK; }
  HRESULT SetPos(float x, float y) { s_.x = x; s_.y = y; return S_OK; }
  HRESULT SetScale(float x, float y) { s_.scaleX = x; s_.scaleY = y; return S_OK; }
  void SetBlendMode(BlendMode m) { s_.blendMode = m; }
  HRESULT Show() { s_.visible = 1; return S_OK; }
  HRESULT Hide() { s_.visible = 0; return S_OK; }
  SpriteState* GetState(SpriteState* out) const { *out = s_; return out; }
  HRESULT Register() { return S_OK; }
  HRESULT Unregister() { return S_OK; }

 private:
  Sprite* next_ = nullptr;
  SpriteState s_;
};
