#include "act/mobs/mobmanager.h"

#include <cmath>
#include <memory>
#include <utility>

#include "act/mapmodel.h"
#include "act/mobs/mobbomber.h"
#include "act/mobs/mobhopper.h"
#include "act/mobs/mobkedama.h"

MobManager g_MobManager;

MobManager::MobManager() = default;

MobManager::~MobManager() = default;

Mob* MobManager::GetMob(int i) const {
  if (i < 0 || i >= count_ || kinds_[i] == MobKind::Empty) return nullptr;
  return objects_[i].get();
}

int MobManager::Clear() {
  objects_.clear();
  kinds_.clear();
  count_ = 0;
  return 0;
}

int MobManager::Resize(int n) {
  Clear();
  count_ = n > 0 ? n : 0;
  objects_.resize(static_cast<size_t>(count_));
  kinds_.assign(static_cast<size_t>(count_), MobKind::Empty);
  return 0;
}

int MobManager::SpawnFromMap() {
  const MapHeader header = g_MapModel.GetHeader();
  int n = 0;
  for (uint32_t x = 0; x < header.width; ++x) {
    for (uint32_t y = 0; y < header.height; ++y) {
      if (n >= count_) return 0;
      std::unique_ptr<Mob> mob;
      int kind = MobKind::Empty;
      switch (g_MapModel.CodeAt(static_cast<int>(x), static_cast<int>(y))) {
        case MapCell::Kedama:
          mob = std::make_unique<MobKedama>();
          kind = MobKind::Kedama;
          break;
        case MapCell::Hopper:
          mob = std::make_unique<MobHopper>();
          kind = MobKind::Hopper;
          break;
        case MapCell::Bomber:
          mob = std::make_unique<MobBomber>();
          kind = MobKind::Bomber;
          break;
        default:
          continue;
      }
      kinds_[n] = kind;
      objects_[n] = std::move(mob);
      objects_[n]->Init(n, static_cast<int>(x), static_cast<int>(y));
      n += 1;
    }
  }
  return 0;
}

int MobManager::UpdateAll() {
  for (int i = 0; i < count_; ++i) {
    if (Mob* mob = GetMob(i)) {
      mob->Think();
      mob->Move();
    }
  }
  return 0;
}

int MobManager::AnimateAll() {
  for (int i = 0; i < count_; ++i)
    if (Mob* mob = GetMob(i)) mob->UpdateAnimation();
  return 0;
}

int MobManager::Hit(int i, int attackKind) {
  Mob* mob = GetMob(i);
  if (mob && !mob->HasBurst()) mob->OnHit(attackKind);
  return 0;
}

int MobManager::RemoveDead() {
  for (int i = 0; i < count_; ++i) {
    Mob* mob = GetMob(i);
    if (!mob || !(mob->GetFlags() & MobFlag::Dead)) continue;
    mob->Release();
    Delete(i);
  }
  return 0;
}

int MobManager::Delete(int i) {
  if (i < 0 || i >= count_) return 0;
  objects_[i].reset();
  kinds_[i] = MobKind::Empty;
  return 0;
}

int MobManager::GetKind(int i) const { return i >= 0 && i < count_ ? kinds_[i] : MobKind::Empty; }

uint32_t MobManager::GetFlags(int i) const {
  const Mob* mob = GetMob(i);
  return mob ? mob->GetFlags() : 0;
}

float MobManager::GetParam(int i, int p) const {
  const Mob* mob = GetMob(i);
  return mob ? std::trunc(mob->GetParam(p)) : 0.0f;
}

D3DXVECTOR2 MobManager::GetVelocity(int i) const { return Pair(i, &Mob::GetVelocity); }

MobStatus MobManager::GetStatus(int i) const {
  MobStatus status{};
  if (const Mob* mob = GetMob(i)) mob->CopyStatus(&status);
  return status;
}

D3DXVECTOR2 MobManager::GetSize(int i) const { return Pair(i, &Mob::GetSize); }
D3DXVECTOR2 MobManager::GetHitBoxTopLeft(int i) const { return Pair(i, &Mob::GetHitBoxTopLeft); }
D3DXVECTOR2 MobManager::GetHitBoxBottomRight(int i) const { return Pair(i, &Mob::GetHitBoxBottomRight); }
D3DXVECTOR2 MobManager::GetBoxCorner2(int i) const { return Pair(i, &Mob::GetBoxCorner2); }
D3DXVECTOR2 MobManager::GetBoxCorner3(int i) const { return Pair(i, &Mob::GetBoxCorner3); }
D3DXVECTOR2 MobManager::GetCenter(int i) const { return Pair(i, &Mob::GetCenter); }

int MobManager::IsActive(int i) const {
  const Mob* mob = GetMob(i);
  return mob ? mob->IsActive() : 0;
}

D3DXVECTOR2 MobManager::Pair(int i, D3DXVECTOR2 (Mob::*get)() const) const {
  const Mob* mob = GetMob(i);
  return mob ? (mob->*get)() : D3DXVECTOR2{0, 0};
}
