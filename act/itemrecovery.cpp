#include "act/itemrecovery.h"

#include "act/actionscene.h"
#include "act/player.h"
#include "librarysauce/mediaplayer.h"

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
  if (!g_MediaPlayers || static_cast<uint32_t>(ActSound::ItemGet) >= g_MediaPlayerPool.GetCount()) return;
  MediaPlayer& sound = g_MediaPlayers[ActSound::ItemGet];
  sound.Stop();
  sound.Rewind();
  sound.Play();
}
