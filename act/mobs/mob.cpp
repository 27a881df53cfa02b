#include "act/mobs/mob.h"

#include <algorithm>
#include <cmath>

#include "act/actgraphics.h"
#include "act/actionscene.h"
#include "act/attacks/attackeffectmanager.h"
#include "act/cnnfile.h"
#include "act/flagrule.h"
#include "act/framerule.h"
#include "act/items/itemmanager.h"
#include "act/mapmodel.h"
#include "act/player.h"
#include "act/solidcells.h"
#include "act/velocityrule.h"
#include "act/viewrange.h"
#include "gameflow/scenearrays.h"
#include "librarysauce/gamerandom.h"
#include "librarysauce/sprite.h"

namespace {

constexpr int kFrameTableSize = 60;
constexpr uint32_t kWalkFrames = 180;
constexpr uint32_t kRestFrames = 30;
// Flags under which the speed cap would be p3: LandingFriction and a bit beside it; nothing sets
// either.
constexpr uint32_t kAltCapFlags = MobFlag::LandingFriction | 0x800;
// A flag change from a state with any of these does not restart the animation: the Dive and
// bits that no mob sets.
constexpr uint32_t kKeepAnimationFlags = MobFlag::Dive | 0x8E000;
// Item drops: a roll of 0 to 19.
constexpr int kDropRolls = 20;
constexpr float kItemHalf = 16;

}  // namespace

Mob::Mob() : frameTable_(kFrameTableSize, D3DXVECTOR2{0, 0}) {
  for (int n = 8; n <= 19; ++n) frameTable_[n] = {64.0f * (n - 8), 0};
  frameTable_[37] = {0, 64};
  timers_[MobTimer::Walk + 1] = kWalkFrames;
  timers_[MobTimer::Rest + 1] = kRestFrames;
}

Mob::~Mob() = default;

HRESULT Mob::LoadFile(const char* name) { return ReadCnnFile(name, kCnnBufferSize, &cnnBuffer_); }

void Mob::Release() {
  HideSprite();
  cnnBuffer_.reset();
  stats_.reset();
  frameTable_.clear();
  timers_.fill(0);
}

Sprite* Mob::GetSprite() const { return g_SceneArrays.SpriteAt(spriteIndex_); }

void Mob::InitAt(int index, int cellX, int cellY, int texture, D3DXVECTOR2 size, MobBox hitBox) {
  stats_ = std::make_unique<MobStats>();
  stats_->hp = 50;
  stats_->attack = 10;
  stats_->word7 = 10;
  const MapHeader header = g_MapModel.GetHeader();
  position_ = {static_cast<float>(header.chipWidth) * cellX, static_cast<float>(header.chipHeight) * cellY};
  index_ = index;
  spriteIndex_ = g_MapModel.GetMobSpriteBase() + index;
  size_ = size;
  hitBox_ = damageBox_ = hitBox;
  if (Sprite* sprite = GetSprite()) {
    if (texture >= 0) {
      sprite->SetTexture(texture);
      sprite->SetSrcPos(0, 0);
      sprite->SetScale(1, 1);
    }
    sprite->SetSize(size_.x, size_.y);
    sprite->SetPos(position_.x, position_.y);
  }
}

void Mob::Init(int index, int cellX, int cellY) { InitAt(index, cellX, cellY, -1, {64, 64}, {6, 6, 58, 64}); }

// --- velocity, flags, timers ---

void Mob::SetVelocityX(float value, int mode) {
  speedCap_ = flags_ & kAltCapFlags ? params_[3] : params_[1];
  velocity_.x = NextVelocityX(velocity_.x, value, mode, facing_, speedCap_);
}

void Mob::SetVelocityY(float value, int mode) {
  velocity_.y = NextVelocityY(velocity_.y, value, mode, maxFall_);
}

void Mob::SetFlags(uint32_t bits, int op) { flags_ = NextFlags(flags_, bits, op); }

float Mob::GetParam(int i) const { return i >= 0 && i < 5 ? params_[i] : 0.0f; }

D3DXVECTOR2 Mob::GetCenter() const {
  return {(hitBox_.left + hitBox_.right) / 2 + position_.x, (hitBox_.top + hitBox_.bottom) / 2 + position_.y};
}

void Mob::SetTimer(int word, uint32_t value) {
  if (word < 0 || word >= MobTimer::WordCount) return;
  timers_[word] = TimerStartAt(value, g_ActionScene.GetFrameCount());
}

bool Mob::TimerElapsed(int word) const {
  if (word < 0 || word + 1 >= MobTimer::WordCount) return false;
  return TimerDone(timers_[word], timers_[word + 1], g_ActionScene.GetFrameCount());
}

bool Mob::InPlayerView() const {
  return WithinScreenOfHero(position_);
}

MobStatus* Mob::CopyStatus(MobStatus* out) const {
  *out = MobStatus{};
  out->index = index_;
  out->stats = stats_.get();
  out->facing = facing_;
  out->x = position_.x;
  out->y = position_.y;
  out->flags = flags_;
  std::copy(std::begin(params_), std::end(params_), out->params);
  return out;
}

// --- behaviour ---

void Mob::Think() { ThinkWalk(); }

bool Mob::Awake() {
  if (active_) return true;
  active_ = InPlayerView();
  return false;
}

bool Mob::ThinkWalk() {
  if (!Awake()) return false;
  PreThink();
  SetVelocityY(Gravity::EnemiesAndItems, VelocityMode::Accelerate);
  if (flags_ & MobFlag::Hurt) {
    SetVelocityX(params_[4], VelocityMode::Friction);
    if (TimerElapsed(MobTimer::Hurt)) SetFlags(MobFlag::Hurt, FlagOp::Clear);
    return false;
  }
  if (flags_ & MobFlag::Moving) {
    SetVelocityX(params_[0], VelocityMode::Accelerate);
    if (!TimerElapsed(MobTimer::Walk)) return false;
    velocity_.x = 0;
    SetFlags(MobFlag::Moving, FlagOp::Clear);
    SetTimer(MobTimer::Rest, 0);
    return true;
  }
  if (!TimerElapsed(MobTimer::Rest)) return false;
  // Off toward the side the hero stands on now (the middle of his frame).
  facing_ = position_.x + size_.x / 2 < g_Player.GetPosition().x + Player::kFrameSize / 2 ? 1 : 0;
  FaceSprite();
  SetVelocityX(params_[0], VelocityMode::Accelerate);
  SetFlags(MobFlag::Moving, FlagOp::Set);
  SetTimer(MobTimer::Walk, 0);
  return false;
}

void Mob::FaceSprite() {
  Sprite* sprite = GetSprite();
  if (sprite && sprite->GetNoMirror() != facing_) sprite->SetNoMirror(facing_);
}

// --- the move step ---

void Mob::StopHorizontal() { velocity_.x = 0; }

void Mob::OnDescent() { SetFlags(MobFlag::Airborne, FlagOp::Set); }

bool Mob::Land() {
  SetFlags(MobFlag::Airborne | MobFlag::Slam | MobFlag::Dive, FlagOp::Clear);
  if (flags_ & MobFlag::LandingFriction) {
    SetFlags(MobFlag::LandingFriction, FlagOp::Clear);
    SetVelocityX(params_[4], VelocityMode::Friction);
  }
  return true;
}

// Only solid cells block (see MoveAgainstMap); the kinds choose what a wall or an edge does to
// the speed, whether falling counts as airborne, and what a landing does.
void Mob::Move() {
  // A mob that died in its own think step (a Bomber's burst) goes no further.
  if (flags_ & MobFlag::Dead) return;
  const MapHeader header = g_MapModel.GetHeader();
  if (header.chipWidth == 0 || header.chipHeight == 0) return;
  const bool landed = MoveAgainstMap(
      position_, velocity_, hitBox_, size_, [this] { StopHorizontal(); }, [this] { OnDescent(); });
  if (landed && !Land()) return;
  UpdateSprite();
}

// --- the sprite ---

void Mob::UpdateSprite() {
  Sprite* sprite = GetSprite();
  if (!sprite) return;
  const D3DXVECTOR2 scroll = g_MapModel.GetScroll();
  sprite->SetPos(position_.x - scroll.x, position_.y - scroll.y);
  if (!FrameInView(position_, size_))
    sprite->Hide();
  else if (flags_ & MobFlag::Hurt)
    Blink();
  else
    sprite->Show();
}

void Mob::Blink() { BlinkStep(GetSprite(), &blinkTick_, 3); }

void Mob::HideSprite() {
  if (Sprite* sprite = GetSprite()) sprite->Hide();
}

bool Mob::Dozes() const {
  if (active_ || flags_ != 0 || lastFlags_ != flags_ || velocity_.x != 0 || velocity_.y != 0) return false;
  const Sprite* sprite = GetSprite();
  if (!sprite || sprite->GetNoMirror() != facing_) return false;
  SpriteState state;
  return sprite->GetState(&state)->visible == 0;
}

// --- animation ---

void Mob::UpdateAnimation() {
  Sprite* sprite = GetSprite();
  if (sprite && sprite->GetNoMirror() != facing_) {
    animTick_ = 0;
    sprite->SetNoMirror(facing_);
  }
  const uint32_t previous = lastFlags_;
  lastFlags_ = flags_;
  if (previous != lastFlags_ && !(previous & kKeepAnimationFlags)) {
    animTick_ = 0;
    ChooseAnimation();
  }
  animTick_ += 1;
  ApplyFrame();
}

void Mob::ChooseAnimation() { PickFrame(37, MobFlag::Moving, 8); }

void Mob::PickFrame(uint32_t hurt, uint32_t movingFlag, uint32_t moving) {
  if (lastFlags_ & MobFlag::Hurt)
    frame_ = hurt;
  else if (lastFlags_ & movingFlag)
    frame_ = moving;
  else
    frame_ = 0;
}

void Mob::ApplyFrame() { CycleFrames(8, 11); }

void Mob::CycleFrames(uint32_t first, uint32_t last) {
  if ((lastFlags_ & MobFlag::Moving) && !(lastFlags_ & MobFlag::Hurt) && animTick_ % 5 == 0) {
    frame_ += 1;
    if (frame_ > last) frame_ = first;
  }
  ShowFrame();
}

void Mob::ShowFrame() {
  Sprite* sprite = GetSprite();
  if (sprite && frame_ < frameTable_.size()) sprite->SetSrcPos(frameTable_[frame_].x, frameTable_[frame_].y);
}

// --- hits ---

void Mob::OnHit(int attackKind) {
  const int damage = g_AttackEffectManager.GetDamage(attackKind);
  const int facing = g_AttackEffectManager.GetFacing(attackKind);
  const D3DXVECTOR2 KB_Speed = g_AttackEffectManager.GetKnockback(attackKind);
  TakeDamage(damage, facing, KB_Speed.x, KB_Speed.y);
  if (flags_ & MobFlag::Dead) {
    HideSprite();
    DropItem();
  }
}

void Mob::TakeDamage(int damage, int facing, float knockX, float knockY) {
  flags_ = MobFlag::Hurt;
  SetTimer(MobTimer::Hurt + 1, kHurtFrames);
  SetTimer(MobTimer::Hurt, 0);
  facing_ = facing == 0 ? 1 : 0;  // toward the attacker
  velocity_ = {facing == 1 ? knockX : -knockX, knockY};
  if (Sprite* sprite = GetSprite()) sprite->SetNoMirror(facing_);
  if (stats_) stats_->hp -= damage;
  blinkTick_ = 0;
  PlayActSound(ActSound::MobHit);
  if (!stats_ || stats_->hp <= 0) SetFlags(MobFlag::Dead, FlagOp::Set);
}

void Mob::DropItem() {
  const int roll = GameRand() % kDropRolls;
  const float x = position_.x + size_.x / 2 - kItemHalf;
  const float y = position_.y + size_.y / 2 - kItemHalf;
  if (roll == 0) {
    g_ItemManager.SpawnAt(ItemKind::Mp, x, y);
    g_ItemManager.SpawnAt(ItemKind::Hp, x, y);
  } else if (roll <= 2) {
    g_ItemManager.SpawnAt(ItemKind::Hp, x, y);
  } else if (roll <= 4) {
    g_ItemManager.SpawnAt(ItemKind::Mp, x, y);
  }
}
