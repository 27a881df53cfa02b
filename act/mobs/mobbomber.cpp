#include "act/mobs/mobbomber.h"

#include <cmath>

#include "act/actgraphics.h"
#include "act/mobs/mobshotmanager.h"
#include "act/player.h"

namespace {

// The hero's states in which a Bomber neither dives at him nor bursts on him: teleporting, hit
// stun, invincible (and two bits of his word that nothing sets).
constexpr uint32_t kSparedStates =
    PlayerState::Teleporting | PlayerState::HitStun | PlayerState::Invincible | 0x200000 | 0x400000;

}  // namespace

MobBomber::MobBomber() {
  params_[0] = 2.5f;  // hover speed
  params_[1] = 2.0f;
  // hover frames 0 and 1
  frameTable_ = {{0, 0}, {48, 0}};
}

void MobBomber::Init(int index, int cellX, int cellY) {
  InitAt(index, cellX, cellY, ActTexture::MobBomber, {48, 48}, {6, 6, 42, 48});
}

void MobBomber::Think() {
  if (!Awake()) return;
  PreThink();
  if (flags_ & MobFlag::Hurt) {
    SetVelocityX(params_[4], VelocityMode::Friction);
    velocity_.y = params_[4];
    if (TimerElapsed(MobTimer::Hurt)) SetFlags(MobFlag::Hurt, FlagOp::Clear);
    return;
  }
  const D3DXVECTOR2 hero = g_Player.GetPosition();
  const bool heroOpen = !(g_Player.GetFlags() & kSparedStates);
  if (flags_ & MobFlag::Moving) {
    hoverAngle_ += kHoverStep;
    if (hoverAngle_ >= kHoverWrap) hoverAngle_ -= kHoverWrap;
    velocity_.x = static_cast<float>(params_[0] * std::cos(hoverAngle_));
    velocity_.y = static_cast<float>(params_[0] * std::sin(hoverAngle_));
    facing_ = velocity_.x >= 0 ? 1 : 0;
    const float middle = position_.x + size_.x / 2;
    if (hero.x < middle && middle < hero.x + Player::kFrameSize && heroOpen) {
      SetFlags(MobFlag::Moving, FlagOp::Clear);
      SetFlags(MobFlag::Dive, FlagOp::Set);
      velocity_ = {0, kDiveStart};
    }
    return;
  }
  if (flags_ & MobFlag::Dive) {
    SetVelocityY(kDiveGravity, VelocityMode::Accelerate);
    const float cx = position_.x + size_.x / 2;
    const float cy = position_.y + size_.y / 2;
    const float third = Player::kFrameSize / 3;
    if (hero.x + third < cx && cx < hero.x + 2 * third && hero.y + third < cy && cy < hero.y + 2 * third && heroOpen) {
      Burst();
      HideSprite();
    }
    return;
  }
  if (TimerElapsed(MobTimer::Rest)) SetFlags(MobFlag::Moving, FlagOp::Set);
}

bool MobBomber::Land() {
  if (!(flags_ & MobFlag::Dive)) return true;
  Burst();
  return false;
}

void MobBomber::Burst() {
  g_MobShotManager.Spawn(MobShotKind::Burst, index_);
  SetFlags(MobFlag::Dead, FlagOp::Set);
  burst_ = true;
}

void MobBomber::ChooseAnimation() { PickFrame(0, MobFlag::Moving, 1); }

void MobBomber::ApplyFrame() { CycleFrames(0, 1); }
