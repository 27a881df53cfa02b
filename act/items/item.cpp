#include "act/items/item.h"

#include "act/actgraphics.h"
#include "act/actionscene.h"
#include "act/cnnfile.h"
#include "act/flagrule.h"
#include "act/framerule.h"
#include "act/mapmodel.h"
#include "act/player.h"
#include "act/solidcells.h"
#include "act/velocityrule.h"
#include "act/viewrange.h"
#include "act/worldbox.h"
#include "gameflow/scenearrays.h"
#include "librarysauce/sprite.h"

namespace {

constexpr float kFramePitch = 32.0f;

}  // namespace

Item::Item() = default;

Item::~Item() = default;

HRESULT Item::LoadCnn(const char* name) { return ReadCnnFile(name, kCnnBufferSize, &cnnBuffer_); }

HRESULT Item::PlaceAt(int index, float x, float y) {
  position_ = {x, y};
  flags_ = ItemFlag::Alive;
  return Init(index);
}

HRESULT Item::PlaceAtTile(int index, int tileX, int tileY) {
  const MapHeader header = g_MapModel.GetHeader();
  position_ = {static_cast<float>(header.chipWidth) * static_cast<float>(tileX),
               static_cast<float>(header.chipHeight) * static_cast<float>(tileY)};
  flags_ = ItemFlag::Alive | ItemFlag::MapPlaced;
  return Init(index);
}

HRESULT Item::InitKind(int index, const ItemTraits& traits) {
  cnnBuffer_.reset();
  index_ = index;
  spriteIndex_ = g_MapModel.GetItemSpriteBase() + index;
  value_ = traits.value;
  direction_ = 1;
  velocity_ = traits.velocity;
  maxVelocity_.y = kMaxVelocity;
  blinkTick_ = animTick_ = frame_ = lastFlags_ = 0;
  frameCount_ = traits.frameCount;
  active_ = 0;
  for (uint32_t& word : timers_) word = 0;
  amount_ = value_;
  size_ = traits.size;
  box_ = traits.box;
  hitBox_ = traits.hitBox;
  frameTable_ = std::make_unique<D3DXVECTOR2[]>(frameCount_);
  for (uint32_t i = 0; i < frameCount_; ++i)
    frameTable_[i] = {traits.firstFrame.x + kFramePitch * static_cast<float>(i), traits.firstFrame.y};
  if (traits.timed) {
    SetTimer(kLifeStart, 0);
    SetTimer(kLifeDuration, kLifeFrames);
    SetTimer(kBlinkStart, 0);
    SetTimer(kBlinkDuration, kBlinkFrames);
  } else {
    for (uint32_t w = kLifeStart; w <= kBlinkDuration; ++w) SetTimer(w, 0);
  }
  position_.y += traits.shiftY;
  // Set up but not shown: the first Move places the sprite on the screen.
  if (Sprite* sprite = GetSprite()) {
    sprite->SetTexture(traits.texture);
    if (frameCount_ > 0) sprite->SetSrcPos(frameTable_[0].x, frameTable_[0].y);
    sprite->SetScale(1, 1);
    sprite->SetSize(size_.x, size_.y);
    sprite->SetPos(position_.x, position_.y);
  }
  return S_OK;
}

bool Item::WakeUp() {
  if (active_) return true;
  active_ = IsOnScreen();
  return false;
}

void Item::Update() {
  if (!WakeUp()) return;
  PreUpdate();
  AddVelocityY(Gravity::EnemiesAndItems, VelocityMode::Accelerate);
}

void Item::PreUpdate() {}

int Item::IsOnScreen() const {
  return WithinScreenOfHero(position_);
}

void Item::Move() { MoveStep(false); }

void Item::MoveStep(bool airborneBit) {
  const bool landed = MoveAgainstMap(
      position_, velocity_, box_, size_, [this] { velocity_.x = 0; },
      [this, airborneBit] {
        if (airborneBit) SetFlags(ItemFlag::Airborne, FlagOp::Set);
      });
  if (airborneBit && landed) SetFlags(ItemFlag::Airborne, FlagOp::Clear);
  PlaceSprite();
}

void Item::PlaceSprite() {
  const D3DXVECTOR2 scroll = g_MapModel.GetScroll();
  if (Sprite* sprite = GetSprite()) sprite->SetPos(position_.x - scroll.x, position_.y - scroll.y);
  UpdateSprite();
}

void Item::UpdateSprite() {
  if (flags_ & ItemFlag::Airborne) return;
  Sprite* sprite = GetSprite();
  if (!sprite) return;
  const D3DXVECTOR2 scroll = g_MapModel.GetScroll();
  sprite->SetPos(position_.x - scroll.x, position_.y - scroll.y);
  if (FrameInView(position_, size_))
    sprite->Show();
  else
    sprite->Hide();
}

void Item::Animate(int) {
  MirrorAndRestart();
  animTick_ += 1;
  StepAnim();
}

void Item::AnimateRecovery() {
  MirrorAndRestart();
  StepAnim();
  Blink();
  animTick_ += 1;
}

void Item::MirrorAndRestart() {
  Sprite* sprite = GetSprite();
  if (sprite && direction_ != sprite->GetNoMirror()) {
    animTick_ = 0;
    sprite->SetNoMirror(direction_);
  }
  const uint32_t previous = lastFlags_;
  lastFlags_ = flags_;
  if (previous != lastFlags_) {
    animTick_ = 0;
    ResetAnim();
  }
}

void Item::ResetAnim() { frame_ = 0; }

void Item::StepAnim() {
  if (animTick_ % 5 == 0) {
    frame_ += 1;
    if (frame_ > 11) frame_ = 8;
  }
  ShowFrame();
}

void Item::StepFourFrames() {
  if (animTick_ % 5 == 0) {
    frame_ += 1;
    if (frame_ >= 4) frame_ = 0;
  }
  ShowFrame();
}

void Item::ShowFrame() {
  Sprite* sprite = GetSprite();
  if (!sprite || frame_ >= frameCount_ || !frameTable_) return;
  sprite->SetSrcPos(frameTable_[frame_].x, frameTable_[frame_].y);
}

void Item::Blink() {
  if (flags_ & ItemFlag::Airborne) BlinkStep(GetSprite(), &blinkTick_, 3);
}

void Item::Hide() {
  if (Sprite* sprite = GetSprite()) sprite->Hide();
}

HRESULT Item::ReleaseBuffers() {
  Hide();
  cnnBuffer_.reset();
  frameTable_.reset();
  frameCount_ = 0;
  return S_OK;
}

void Item::AddVelocityX(float a, int mode) {
  maxVelocity_.x = kMaxVelocity;
  velocity_.x = NextVelocityX(velocity_.x, a, mode, direction_ != 0 ? 1 : 0, maxVelocity_.x);
}

void Item::AddVelocityY(float a, int mode) {
  velocity_.y = NextVelocityY(velocity_.y, a, mode, maxVelocity_.y);
}

void Item::SetFlags(uint32_t mask, int mode) { flags_ = NextFlags(flags_, mask, mode); }

D3DXVECTOR2 Item::GetCenter() const {
  return {position_.x + (box_.left + box_.right) / 2, position_.y + (box_.top + box_.bottom) / 2};
}

void Item::SetTimer(uint32_t w, uint32_t value) {
  if (w > kBlinkDuration) return;
  timers_[w] = TimerStartAt(value, g_ActionScene.GetFrameCount());
}

int Item::IsTimerDone(uint32_t w) const {
  if (w != kLifeStart && w != kBlinkStart) return 0;
  return TimerDone(timers_[w], timers_[w + 1], g_ActionScene.GetFrameCount());
}

void Item::UpdateLifeTimers() {
  if (flags_ & ItemFlag::MapPlaced) return;
  if (IsTimerDone(kLifeStart))
    SetFlags(ItemFlag::Alive, FlagOp::Clear);
  else if (IsTimerDone(kBlinkStart))
    SetFlags(ItemFlag::Airborne, FlagOp::Set);
}

void Item::CheckTouchPlayer() {
  const D3DXVECTOR2 hero = g_Player.GetPosition();
  const WorldBox body = BoxAt(hero.x, hero.y, g_Player.GetBodyTopLeft(), g_Player.GetBodyBottomRight());
  if (!Overlaps(BoxAt(position_.x, position_.y, GetHitTopLeft(), GetHitBottomRight()), body)) return;
  OnTouch();
  SetFlags(ItemFlag::Alive, FlagOp::Clear);
}

Sprite* Item::GetSprite() const { return g_SceneArrays.SpriteAt(spriteIndex_); }
