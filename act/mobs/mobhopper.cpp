#include "act/mobs/mobhopper.h"

#include "act/actgraphics.h"
#include "act/mobs/mobshotmanager.h"
#include "act/velocityrule.h"
#include "librarysauce/sprite.h"

MobHopper::MobHopper() {
  params_[0] = 1.0f;   // sideways acceleration in the air
  params_[1] = 5.0f;   // sideways speed cap
  params_[3] = -5.0f;  // the jump's speed
  // idle; slam; hurt
  frameTable_ = {{0, 0}, {128, 0}, {192, 0}};
}

void MobHopper::Init(int index, int cellX, int cellY) {
  InitAt(index, cellX, cellY, ActTexture::MobHopper, {64, 64}, {13, 2, 50, 42});
}

void MobHopper::Think() {
  if (!Awake()) return;
  PreThink();
  SetVelocityY(Gravity::EnemiesAndItems, VelocityMode::Accelerate);
  if (flags_ & MobFlag::Hurt) {
    SetVelocityX(params_[4], VelocityMode::Friction);
    return;
  }
  Sprite* sprite = GetSprite();
  if (flags_ & MobFlag::Airborne) {
    if (velocity_.y > kSlamFrom) {
      velocity_.x = 0;
      SetFlags(MobFlag::Slam, FlagOp::Set);
      velocity_.y = kSlamSpeed;
      rotation_ = 0;
    } else {
      SetVelocityX(params_[0], VelocityMode::Accelerate);
      rotation_ += facing_ == 1 ? kSpin : -kSpin;
    }
    if (sprite) sprite->SetRotZ(rotation_);
    return;
  }
  if (!TimerElapsed(MobTimer::Rest)) return;
  facing_ = 1 - facing_;
  FaceSprite();
  SetVelocityX(params_[0], VelocityMode::Accelerate);
  velocity_.y = params_[3];
  SetFlags(MobFlag::Airborne, FlagOp::Set);
  SetFlags(MobFlag::Grounded, FlagOp::Clear);
}

bool MobHopper::Land() {
  if (!(flags_ & MobFlag::Grounded)) {
    SetTimer(MobTimer::Rest, 0);
    if (flags_ & MobFlag::Airborne) g_MobShotManager.Spawn(MobShotKind::ShockWave, index_);
  }
  if (TimerElapsed(MobTimer::Hurt)) SetFlags(MobFlag::Hurt, FlagOp::Clear);
  SetFlags(MobFlag::Airborne | MobFlag::Slam, FlagOp::Clear);
  SetFlags(MobFlag::Grounded, FlagOp::Set);
  return true;
}

void MobHopper::ChooseAnimation() { PickFrame(2, MobFlag::Slam, 1); }

void MobHopper::ApplyFrame() { ShowFrame(); }
