#include "librarysauce/sprite.h"

#include <cmath>
#include <cstring>
#include <type_traits>

#include "librarysauce/d3dmath.h"
#include "librarysauce/framemanager.h"
#include "librarysauce/texture.h"

// A sprite destroyed at exit may still be listed and then unlinks itself through the frame
// manager, whichever global object the runtime destroys first. That stays sound only while the
// frame manager's destruction is trivial (its storage and head then outlive every destructor).
static_assert(std::is_trivially_destructible<FrameManager>::value,
              "sprites unlink themselves through g_FrameManager at exit");

Sprite* g_Sprites = nullptr;

namespace {

// One row of the blend table: enable, operation, source factor, destination factor.
struct BlendRow {
  bool enabled;
  platform::BlendOp op;
  platform::BlendFactor src;
  platform::BlendFactor dst;
};

using platform::BlendFactor;
using platform::BlendOp;
constexpr BlendRow kBlendRows[kBlendModeCount] = {
    {false, BlendOp::Add, BlendFactor::One, BlendFactor::Zero},                    // Opaque
    {true, BlendOp::Add, BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha},         // Alpha
    {true, BlendOp::Add, BlendFactor::Zero, BlendFactor::SrcAlpha},                // DestTimesSrcAlpha
    {true, BlendOp::Add, BlendFactor::InvDestAlpha, BlendFactor::DestAlpha},       // DestAlphaMix
    {true, BlendOp::Add, BlendFactor::DestAlpha, BlendFactor::InvSrcAlpha},        // DestAlphaOver
    {true, BlendOp::Add, BlendFactor::SrcAlpha, BlendFactor::One},                 // Additive
    {true, BlendOp::ReverseSubtract, BlendFactor::SrcAlpha, BlendFactor::One},     // Subtractive
    {true, BlendOp::Add, BlendFactor::Zero, BlendFactor::SrcColor},                // Multiply
    {true, BlendOp::Add, BlendFactor::Zero, BlendFactor::DestColor},               // DestSquare
    {true, BlendOp::Add, BlendFactor::InvDestColor, BlendFactor::Zero},            // Invert
    {true, BlendOp::Add, BlendFactor::DestColor, BlendFactor::One},                // DestColorAdd
    {true, BlendOp::Add, BlendFactor::One, BlendFactor::One},                      // AddOneOne
};

// Corners of the unit square centred on the origin: top-left, top-right, bottom-left,
// bottom-right, the order of the triangle strip.
constexpr D3DXVECTOR3 kCorners[Sprite::kVertexCount] = {
    {-0.5f, -0.5f, 0.0f}, {0.5f, -0.5f, 0.0f}, {-0.5f, 0.5f, 0.0f}, {0.5f, 0.5f, 0.0f}};

}  // namespace

Sprite::Sprite() {
  std::memset(&state_, 0, sizeof state_);
  state_.blendMode = BlendMode::Opaque;
  state_.textureIndex = -1;
  state_.depth = 0xFFFFFFFFu;
  std::memset(vertexBuffer_, 0, sizeof vertexBuffer_);
}

Sprite::~Sprite() {
  if (prev_ || next_ || g_FrameManager.GetHead() == this) Unregister();
  ReleaseVertexBuffer();
}

HRESULT Sprite::SetTexture(int32_t index) {
  state_.textureIndex = index;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::SetDepth(uint32_t depth) {
  // A listed sprite that changes depth stays where it is in the list, which may then be out of
  // order: the next registration walks from the head again.
  if (prev_ || next_ || g_FrameManager.GetHead() == this) g_FrameManager.SetLastRegistered(nullptr);
  state_.depth = depth;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::SetSrcPos(float x, float y) {
  state_.srcX = x;
  state_.srcY = y;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::SetSrcX(float x) {
  state_.srcX = x;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::SetSrcY(float y) {
  state_.srcY = y;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::SetSize(float width, float height) {
  state_.width = width;
  state_.height = height;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::SetWidth(float width) {
  state_.width = width;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::SetHeight(float height) {
  state_.height = height;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::SetColor(D3DCOLOR color) {
  state_.color = color;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::SetPos(float x, float y) {
  state_.x = x;
  state_.y = y;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::SetX(float x) {
  state_.x = x;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::SetY(float y) {
  state_.y = y;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::Move(float dx, float dy) {
  state_.x += dx;
  state_.y += dy;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::MoveToward(float dx, float dy, float speed) {
  const float length = std::sqrt(dx * dx + dy * dy);
  // A null direction has no unit step: the sprite stays where it is.
  if (length == 0.0f) return S_OK;
  state_.x += speed * dx / length;
  state_.y += speed * dy / length;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::SetRotation(float rx, float ry, float rz) {
  state_.rotX = rx;
  state_.rotY = ry;
  state_.rotZ = rz;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::SetRotX(float radians) {
  state_.rotX = radians;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::SetRotY(float radians) {
  state_.rotY = radians;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::SetRotZ(float radians) {
  state_.rotZ = radians;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::SetAxisAngle(float radians) {
  state_.axisAngle = radians;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::SetAxis(float x, float y, float z) {
  state_.axis = SpriteAxis{x, y, z};
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::SetRotationMode(int32_t mode) {
  state_.rotationMode = mode;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::SetScale(float sx, float sy) {
  state_.scaleX = sx;
  state_.scaleY = sy;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::SetScaleX(float sx) {
  state_.scaleX = sx;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::SetScaleY(float sy) {
  state_.scaleY = sy;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::SetNoMirror(int32_t flag) {
  noMirror_ = flag;
  dirty_ = 1;
  return S_OK;
}

void Sprite::SetBlendMode(BlendMode mode) { state_.blendMode = mode; }

HRESULT Sprite::Show() {
  state_.visible = 1;
  dirty_ = 1;
  return S_OK;
}

HRESULT Sprite::Hide() {
  state_.visible = 0;
  dirty_ = 0;
  return S_OK;
}

Sprite* Sprite::MarkDirty() {
  dirty_ = 1;
  return this;
}

SpriteState* Sprite::GetState(SpriteState* out) const {
  *out = state_;
  return out;
}

HRESULT Sprite::Register() {
  Sprite* head = g_FrameManager.GetHead();
  if (head == this || prev_ || next_) return E_FAIL;
  Sprite* const hint = g_FrameManager.GetLastRegistered();
  g_FrameManager.SetLastRegistered(this);
  if (!head) {
    prev_ = next_ = nullptr;
    g_FrameManager.SetHead(this);
    return S_OK;
  }
  // Past every sprite at least as deep: equal depths keep their registration order. Every sprite
  // before the one registered last is at least as deep as that one, so a sprite no deeper than
  // it starts the walk there: a stage's thousands of sprites, registered depth by depth, are
  // placed in time proportional to their number instead of its square.
  Sprite* last = nullptr;
  Sprite* at = head;
  if (hint && hint->state_.depth >= state_.depth) {
    last = hint;
    at = hint->next_;
  }
  while (at && at->state_.depth >= state_.depth) {
    last = at;
    at = at->next_;
  }
  if (at) {
    prev_ = at->prev_;
    next_ = at;
    if (at->prev_) {
      at->prev_->next_ = this;
    } else {
      g_FrameManager.SetHead(this);
    }
    at->prev_ = this;
  } else {
    last->next_ = this;
    prev_ = last;
    next_ = nullptr;
  }
  return S_OK;
}

HRESULT Sprite::Unregister() {
  if (g_FrameManager.GetLastRegistered() == this) g_FrameManager.SetLastRegistered(nullptr);
  if (g_FrameManager.GetHead() == this) {
    g_FrameManager.SetHead(next_);
    if (next_) next_->prev_ = nullptr;
  } else {
    if (prev_) prev_->next_ = next_;
    if (next_) next_->prev_ = prev_;
  }
  prev_ = next_ = nullptr;
  ReleaseVertexBuffer();
  return S_OK;
}

const Texture* Sprite::UsableTexture() const {
  const int32_t index = state_.textureIndex;
  if (index < 0 || !g_TextureTable || index >= g_TextureTableCount) return nullptr;
  const Texture& texture = g_TextureTable[index];
  if (texture.GetD3DTexture() == 0 || texture.GetWidth() == 0 || texture.GetHeight() == 0) return nullptr;
  return &texture;
}

HRESULT Sprite::Draw(platform::GlDevice* device) {
  if (!state_.visible) return E_FAIL;
  const Texture* texture = UsableTexture();
  // A texture that became usable after the last rebuild (a reload that now succeeded) needs the
  // texture coordinates that rebuild could not give.
  if (dirty_ || (hasVertexBuffer_ && texture && !hasTexCoords_)) {
    if (Failed(RebuildVertices(device))) return E_FAIL;
    dirty_ = 0;
  }
  ApplyBlendMode(device);
  if (texture) device->SetTexture(texture->GetD3DTexture());
  // Unregistering dropped the vertices; until something marks the sprite dirty it has none.
  if (hasVertexBuffer_) device->DrawQuadStrip(vertexBuffer_);
  return S_OK;
}

HRESULT Sprite::RebuildVertices(platform::GlDevice*) {
  const SpriteState& s = state_;
  const float scaledWidth = s.width * s.scaleX;
  const float scaledHeight = s.height * s.scaleY;

  D3DXMATRIX mScale, mTrans, mMatrix;
  D3DXMatrixScaling(&mScale, scaledWidth, scaledHeight, 0.0f);
  D3DXMatrixTranslation(&mTrans, s.x + scaledWidth / 2.0f, s.y + scaledHeight / 2.0f,
                        static_cast<float>(s.depth) / 65535.0f);
  if (s.rotationMode == 0) {
    D3DXMATRIX mRotX, mRotY, mRotZ;
    D3DXMatrixRotationX(&mRotX, s.rotX);
    D3DXMatrixRotationY(&mRotY, s.rotY);
    D3DXMatrixRotationZ(&mRotZ, s.rotZ);
    D3DXMatrixMultiply(&mMatrix, &mRotX, &mRotY);
    D3DXMatrixMultiply(&mMatrix, &mMatrix, &mRotZ);
  } else {
    D3DXQUATERNION qt;
    const D3DXVECTOR3 axis{s.axis.x, s.axis.y, s.axis.z};
    D3DXQuaternionRotationAxis(&qt, &axis, s.axisAngle);
    D3DXMatrixRotationQuaternion(&mMatrix, &qt);
  }
  // The corner is rotated first, then scaled, then moved: a rotated sprite whose scaled sides
  // differ is sheared, not turned rigidly.
  D3DXMatrixMultiply(&mMatrix, &mMatrix, &mScale);
  D3DXMatrixMultiply(&mMatrix, &mMatrix, &mTrans);

  SprVertex vertices[kVertexCount];
  for (int i = 0; i < kVertexCount; ++i) {
    D3DXVECTOR3 p;
    D3DXVec3TransformCoord(&p, &kCorners[i], &mMatrix);
    vertices[i] = SprVertex{p.x, p.y, p.z, 1.0f, s.color, 0.0f, 0.0f};
  }

  const Texture* texture = UsableTexture();
  if (texture) {
    const float w = static_cast<float>(texture->GetWidth());
    const float h = static_cast<float>(texture->GetHeight());
    float uLeft = s.srcX / w;
    float uRight = (s.srcX + s.width) / w;
    const float vTop = s.srcY / h;
    const float vBottom = (s.srcY + s.height) / h;
    if (noMirror_ == 0) {
      const float swap = uLeft;
      uLeft = uRight;
      uRight = swap;
    }
    vertices[0].u = uLeft;
    vertices[0].v = vTop;
    vertices[1].u = uRight;
    vertices[1].v = vTop;
    vertices[2].u = uLeft;
    vertices[2].v = vBottom;
    vertices[3].u = uRight;
    vertices[3].v = vBottom;
  }

  std::memcpy(vertexBuffer_, vertices, sizeof vertexBuffer_);
  hasVertexBuffer_ = true;
  hasTexCoords_ = texture != nullptr;
  return S_OK;
}

void Sprite::ReleaseVertexBuffer() {
  hasVertexBuffer_ = false;
  hasTexCoords_ = false;
}

HRESULT Sprite::ApplyBlendMode(platform::GlDevice* device) {
  // Texel × vertex colour for a textured sprite; the vertex colour alone otherwise, so whatever
  // texture the previous sprite left bound is not sampled.
  device->SetTextureStage(UsableTexture() ? platform::TextureStageOp::Modulate
                                          : platform::TextureStageOp::SelectDiffuse);
  device->SetDepthTest(false);
  // Out-of-range modes (negative ones included) set nothing: the previous draw's blend stays.
  const uint32_t mode = static_cast<uint32_t>(state_.blendMode);
  if (mode < static_cast<uint32_t>(kBlendModeCount)) {
    const BlendRow& row = kBlendRows[mode];
    device->SetBlendEnabled(row.enabled);
    device->SetBlendOp(row.op);
    device->SetBlendFactors(row.src, row.dst);
  }
  return S_OK;
}
