#include "act/mobs/mobshotmanager.h"

#include <memory>
#include <utility>

#include "act/attacks/actobject.h"
#include "act/mobs/burstshot.h"
#include "act/mobs/normalbullet.h"
#include "act/mobs/stampshockwave.h"

MobShotManager g_MobShotManager;

MobShotManager::MobShotManager() = default;

MobShotManager::~MobShotManager() { Clear(); }

void MobShotManager::Clear() {
  shots_.clear();
  kinds_.clear();
  count_ = 0;
}

void MobShotManager::Allocate(int n) {
  Clear();
  count_ = n > 0 ? n : 0;
  shots_.resize(static_cast<size_t>(count_));
  kinds_.assign(static_cast<size_t>(count_), MobShotKind::Free);
}

int MobShotManager::GetKind(int slot) const { return slot >= 0 && slot < count_ ? kinds_[slot] : MobShotKind::Free; }

ActObject* MobShotManager::GetShot(int slot) const { return slot >= 0 && slot < count_ ? shots_[slot].get() : nullptr; }

void MobShotManager::Spawn(int kind, int owner) {
  for (int s = 0; s < count_; ++s) {
    if (kinds_[s] != MobShotKind::Free) continue;
    switch (kind) {
      case MobShotKind::NormalBullet: {
        kinds_[s] = MobShotKind::NormalBullet;
        auto bullet = std::make_unique<NormalBullet>();
        NormalBullet* shot = bullet.get();
        shots_[s] = std::move(bullet);
        shot->Setup(s, owner);
        break;
      }
      case MobShotKind::ShockWave:
      case MobShotKind::ShockWaveLeft: {
        kinds_[s] = MobShotKind::ShockWave;
        auto wave = std::make_unique<StampShockWave>();
        StampShockWave* shot = wave.get();
        shots_[s] = std::move(wave);
        const bool right = kind == MobShotKind::ShockWave;
        shot->Setup(s, owner, right ? 1 : 0);
        // The left wave of a pair looks for its own slot, from the lowest again.
        if (right) Spawn(MobShotKind::ShockWaveLeft, owner);
        break;
      }
      case MobShotKind::Burst: {
        kinds_[s] = MobShotKind::Burst;
        auto burst = std::make_unique<BurstShot>();
        BurstShot* shot = burst.get();
        shots_[s] = std::move(burst);
        shot->Setup(s, owner, 0);
        break;
      }
      default:
        break;
    }
    return;
  }
}

void MobShotManager::MoveAll() {
  for (int s = 0; s < count_; ++s)
    if (ActObject* shot = GetShot(s)) shot->Move();
}

void MobShotManager::ExpireAll(int timer) {
  for (int s = 0; s < count_; ++s) {
    ActObject* shot = GetShot(s);
    if (shot && shot->IsTimerDone(timer)) Remove(s);
  }
}

void MobShotManager::HitPlayer() {
  for (int s = 0; s < count_; ++s) {
    ActObject* shot = GetShot(s);
    if (!shot || !shot->HitPlayer()) continue;
    if (kinds_[s] == MobShotKind::NormalBullet) {
      Remove(s);
    } else if (kinds_[s] == MobShotKind::ShockWave) {
      shot->SetFlags(ActObjectFlag::CanHit, FlagOp::Clear);
      shot->SyncVisibility2();
    }
  }
}

void MobShotManager::DrawAll() {
  for (int s = 0; s < count_; ++s) {
    ActObject* shot = GetShot(s);
    if (!shot) continue;
    if (kinds_[s] != MobShotKind::NormalBullet) shot->Animate();
    SyncSprite(s);
  }
}

void MobShotManager::SyncSprite(int slot) {
  ActObject* shot = shots_[slot].get();
  if (kinds_[slot] == MobShotKind::Burst)
    static_cast<BurstShot*>(shot)->Draw();
  else
    shot->SyncVisibility2();
}

void MobShotManager::Remove(int slot) {
  shots_[slot]->SetFlags(ActObjectFlag::Visible | ActObjectFlag::CanHit, FlagOp::Clear);
  SyncSprite(slot);
  kinds_[slot] = MobShotKind::Free;
  shots_[slot].reset();
}
