#pragma once
// Everything on screen is a Sprite: one textured or plain coloured quad in screen pixels. The
// registered sprites form one draw list for the whole program, held by the frame manager and
// ordered by depth (larger = further back, drawn first; equal depths in registration order).
#include <cstdint>

#include "librarysauce/blendmode.h"
#include "platform/gldevice.h"
#include "platform/types.h"

// A pre-transformed vertex: x, y, z, rhw, ARGB diffuse, u, v (28 bytes).
using SprVertex = platform::ScreenVertex;
static_assert(sizeof(SprVertex) == 28, "a sprite vertex is seven 32-bit words");

struct SpriteAxis {
  float x, y, z;
};

// The description of a quad.
struct SpriteState {
  int32_t visible;       // 0 hidden, 1 drawn
  int32_t rotationMode;  // 0: Euler angles X, then Y, then Z; otherwise axisAngle about axis
  int32_t textureIndex;  // index into g_TextureTable; −1 = no texture (colour only)
  float srcX, srcY;      // top-left of the source rectangle, in texels
  float width, height;   // quad size before scaling, and the source rectangle's size
  float x, y;            // top-left of the unrotated, scaled box, in screen pixels
  float rotX, rotY, rotZ;  // Euler angles, radians
  float axisAngle;       // radians, for the axis-angle mode
  float scaleX, scaleY;
  D3DCOLOR color;        // diffuse colour of all four corners
  uint32_t depth;        // draw-list key, and z = depth / 65535
  BlendMode blendMode;
  SpriteAxis axis;
};

class Sprite {
 public:
  static constexpr int kVertexCount = 4;

  Sprite();
  // Leaves the draw list if still in it, so the list never holds a destroyed sprite.
  ~Sprite();
  Sprite(const Sprite&) = delete;
  Sprite& operator=(const Sprite&) = delete;

  // Setters: store, mark dirty, return 0.
  HRESULT SetTexture(int32_t index);
  HRESULT SetDepth(uint32_t depth);
  HRESULT SetSrcPos(float x, float y);
  HRESULT SetSrcX(float x);
  HRESULT SetSrcY(float y);
  HRESULT SetSize(float width, float height);
  HRESULT SetWidth(float width);
  HRESULT SetHeight(float height);
  HRESULT SetColor(D3DCOLOR color);
  HRESULT SetPos(float x, float y);
  HRESULT SetX(float x);
  HRESULT SetY(float y);
  HRESULT Move(float dx, float dy);
  // A step of length speed along (dx, dy); no step when the direction is null.
  HRESULT MoveToward(float dx, float dy, float speed);
  HRESULT SetRotation(float rx, float ry, float rz);
  HRESULT SetRotX(float radians);
  HRESULT SetRotY(float radians);
  HRESULT SetRotZ(float radians);
  HRESULT SetAxisAngle(float radians);
  HRESULT SetAxis(float x, float y, float z);
  HRESULT SetRotationMode(int32_t mode);
  HRESULT SetScale(float sx, float sy);
  HRESULT SetScaleX(float sx);
  HRESULT SetScaleY(float sy);
  HRESULT SetNoMirror(int32_t flag);

  // The blend is applied at every draw, so changing it needs no rebuild.
  void SetBlendMode(BlendMode mode);
  HRESULT Show();
  HRESULT Hide();
  Sprite* MarkDirty();
  int32_t GetNoMirror() const { return noMirror_; }
  SpriteState* GetState(SpriteState* out) const;

  Sprite* GetNext() const { return next_; }
  void SetNext(Sprite* next) { next_ = next; }
  Sprite* GetPrev() const { return prev_; }
  void SetPrev(Sprite* prev) { prev_ = prev; }

  // Insert into / remove from the draw list.
  HRESULT Register();
  HRESULT Unregister();

  // Called by the frame manager for every listed sprite, in list order.
  HRESULT Draw(platform::GlDevice* device);
  HRESULT RebuildVertices(platform::GlDevice* device);
  void ReleaseVertexBuffer();
  HRESULT ApplyBlendMode(platform::GlDevice* device);

  // 1 while the vertices must be rebuilt before the next draw.
  int32_t IsDirty() const { return dirty_; }
  // The four vertices of the last rebuild, or null when there are none.
  const SprVertex* GetVertexBuffer() const { return hasVertexBuffer_ ? vertexBuffer_ : nullptr; }

 private:
  // The texture the sprite draws with, or null when it has none or its entry is unusable
  // (index outside the current array, nothing loaded): such a sprite draws as a plain quad.
  const class Texture* UsableTexture() const;

  Sprite* prev_ = nullptr;
  Sprite* next_ = nullptr;
  SpriteState state_;
  int32_t dirty_ = 0;
  // The vertices live beside the sprite; the flag says whether a rebuild has filled them since
  // the last release.
  SprVertex vertexBuffer_[kVertexCount];
  bool hasVertexBuffer_ = false;
  bool hasTexCoords_ = false;  // the last rebuild gave texture coordinates
  int32_t noMirror_ = 1;
};

// The current scene's sprite array.
extern Sprite* g_Sprites;
