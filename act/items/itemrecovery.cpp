#include "act/items/itemrecovery.h"

#include "act/actionscene.h"
#include "act/player.h"
#include "act/velocityrule.h"

void ItemRecovery::Update() {
  if (!WakeUp()) return;
  PreUpdate();
  AddVelocityY(Gravity::RecoveryItems, VelocityMode::Accelerate);
  Move();
}

void ItemRecovery::Move() { MoveStep(true); }

void ItemRecovery::Animate(int) { AnimateRecovery(); }

void ItemRecovery::StepAnim() { StepFourFrames(); }

void ItemRecovery::GiveTo(int recoverKind) {
  g_Player.Recover(amount_, recoverKind);
  PlayActSound(ActSound::ItemGet);
}
