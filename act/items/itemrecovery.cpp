#include "act/items/itemrecovery.h"

#include "act/actionscene.h"
#include "act/player.h"

namespace {
constexpr float kGravity = 0.5f;
}  // namespace

void ItemRecovery::Update() {
  if (!WakeUp()) return;
  PreUpdate();
  AddVelocityY(kGravity, 1);
  Move();
}

void ItemRecovery::Move() { MoveStep(true); }

void ItemRecovery::Animate(int) { AnimateRecovery(); }

void ItemRecovery::StepAnim() { StepFourFrames(); }

void ItemRecovery::GiveTo(int recoverKind) {
  g_Player.Recover(amount_, recoverKind);
  PlayActSound(ActSound::ItemGet);
}
