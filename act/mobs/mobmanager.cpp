#include "act/mobs/mobmanager.h"

#include <cmath>
#include <memory>
#include <utility>

#include "act/mapmodel.h"
#include "act/mobs/mobbomber.h"
#include "act/mobs/mobhopper.h"
#include "act/mobs/mobkedama.h"
#include "act/viewrange.h"

MobManager g_MobManager;

MobManager::MobManager() = default;

MobManager::~MobManager() = default;

Mob* MobManager::GetMob(int i) const {
  if (i < 0 || i >= count_ || kinds_[i] == MobKind::Empty) return nullptr;
  StopDozing(i);
  return objects_[i].get();
}

const Mob* MobManager::Peek(int i) const {
  if (i < 0 || i >= count_ || kinds_[i] == MobKind::Empty) return nullptr;
  return objects_[i].get();
}

int MobManager::Clear() {
  objects_.clear();
  kinds_.clear();
  dozing_.clear();
  dozes_.clear();
  count_ = 0;
  return 0;
}

int MobManager::Resize(int n) {
  Clear();
  count_ = n > 0 ? n : 0;
  objects_.resize(static_cast<size_t>(count_));
  kinds_.assign(static_cast<size_t>(count_), MobKind::Empty);
  dozing_.assign(static_cast<size_t>(count_), 0);
  dozes_.resize(static_cast<size_t>(count_));
  return 0;
}

void MobManager::StartDozing(int i) {
  const Mob& mob = *objects_[i];
  dozes_[i] = {mob.GetPosition(), mob.GetSize(), animationPasses_};
  dozing_[i] = 1;
}

void MobManager::StopDozing(int i) const {
  if (!Dozing(i)) return;
  dozing_[i] = 0;
  objects_[i]->AddAnimationTicks(animationPasses_ - dozes_[i].since);
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
      dozing_[n] = 0;
      objects_[n] = std::move(mob);
      objects_[n]->Init(n, static_cast<int>(x), static_cast<int>(y));
      n += 1;
    }
  }
  return 0;
}

int MobManager::UpdateAll() {
  for (int i = 0; i < count_; ++i) {
    if (kinds_[i] == MobKind::Empty) continue;
    if (Dozing(i)) {
      const Doze& doze = dozes_[i];
      if (!WithinScreenOfHero(doze.position) && !FrameInView(doze.position, doze.size)) continue;
      StopDozing(i);
    }
    Mob* mob = objects_[i].get();
    mob->Think();
    mob->Move();
  }
  return 0;
}

int MobManager::AnimateAll() {
  animationPasses_ += 1;
  for (int i = 0; i < count_; ++i) {
    if (kinds_[i] == MobKind::Empty || Dozing(i)) continue;
    Mob* mob = objects_[i].get();
    mob->UpdateAnimation();
    if (mob->Dozes()) StartDozing(i);
  }
  return 0;
}

int MobManager::Hit(int i, int attackKind) {
  Mob* mob = GetMob(i);
  if (mob && !mob->HasBurst()) mob->OnHit(attackKind);
  return 0;
}

int MobManager::RemoveDead() {
  for (int i = 0; i < count_; ++i) {
    if (kinds_[i] == MobKind::Empty || Dozing(i)) continue;
    Mob* mob = objects_[i].get();
    if (!(mob->GetFlags() & MobFlag::Dead)) continue;
    mob->Release();
    Delete(i);
  }
  return 0;
}

int MobManager::Delete(int i) {
  if (i < 0 || i >= count_) return 0;
  dozing_[i] = 0;
  objects_[i].reset();
  kinds_[i] = MobKind::Empty;
  return 0;
}

int MobManager::GetKind(int i) const { return i >= 0 && i < count_ ? kinds_[i] : MobKind::Empty; }

uint32_t MobManager::GetFlags(int i) const {
  if (i >= 0 && i < count_ && Dozing(i)) return 0;
  const Mob* mob = Peek(i);
  return mob ? mob->GetFlags() : 0;
}

float MobManager::GetParam(int i, int p) const {
  const Mob* mob = Peek(i);
  return mob ? std::trunc(mob->GetParam(p)) : 0.0f;
}

D3DXVECTOR2 MobManager::GetVelocity(int i) const { return Pair(i, &Mob::GetVelocity); }

MobStatus MobManager::GetStatus(int i) const {
  MobStatus status{};
  if (const Mob* mob = Peek(i)) mob->CopyStatus(&status);
  return status;
}

D3DXVECTOR2 MobManager::GetSize(int i) const { return Pair(i, &Mob::GetSize); }
D3DXVECTOR2 MobManager::GetHitBoxTopLeft(int i) const { return Pair(i, &Mob::GetHitBoxTopLeft); }
D3DXVECTOR2 MobManager::GetHitBoxBottomRight(int i) const { return Pair(i, &Mob::GetHitBoxBottomRight); }
D3DXVECTOR2 MobManager::GetBoxCorner2(int i) const { return Pair(i, &Mob::GetBoxCorner2); }
D3DXVECTOR2 MobManager::GetBoxCorner3(int i) const { return Pair(i, &Mob::GetBoxCorner3); }
D3DXVECTOR2 MobManager::GetCenter(int i) const { return Pair(i, &Mob::GetCenter); }

int MobManager::IsActive(int i) const {
  if (i >= 0 && i < count_ && Dozing(i)) return 0;
  const Mob* mob = Peek(i);
  return mob ? mob->IsActive() : 0;
}

D3DXVECTOR2 MobManager::Pair(int i, D3DXVECTOR2 (Mob::*get)() const) const {
  const Mob* mob = Peek(i);
  return mob ? (mob->*get)() : D3DXVECTOR2{0, 0};
}
