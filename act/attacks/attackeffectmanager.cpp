#include "act/attacks/attackeffectmanager.h"

#include "act/attacks/actobject.h"
#include "act/attacks/airslash.h"
#include "act/attacks/comboslash1.h"
#include "act/attacks/comboslash2.h"
#include "act/attacks/comboslash3.h"
#include "act/attacks/crouchslash.h"
#include "act/attacks/dashdust.h"
#include "act/attacks/guardeffect.h"
#include "act/attacks/teleportafterimage.h"
#include "act/player.h"

AttackEffectManager g_AttackEffectManager;

namespace {

constexpr uint32_t kActive = ActObjectFlag::Visible | ActObjectFlag::CanHit;

// The hero's flag whose loss ends a slash; 0 for the kinds that no hero state ends.
uint32_t HeroFlagOf(int kind) {
  switch (kind) {
    case AttackKind::ComboSlash1: return PlayerState::Combo1;
    case AttackKind::ComboSlash2: return PlayerState::Combo2;
    case AttackKind::ComboSlash3: return PlayerState::Combo3;
    case AttackKind::AirSlash: return PlayerState::AirAttack;
    case AttackKind::CrouchSlash: return PlayerState::CrouchAttack;
    default: return 0;
  }
}

std::unique_ptr<ActObject> MakeObject(int kind) {
  switch (kind) {
    case AttackKind::ComboSlash1: return std::make_unique<ComboSlash1>();
    case AttackKind::ComboSlash2: return std::make_unique<ComboSlash2>();
    case AttackKind::ComboSlash3: return std::make_unique<ComboSlash3>();
    case AttackKind::AirSlash: return std::make_unique<AirSlash>();
    case AttackKind::DashDust: return std::make_unique<DashDust>();
    case AttackKind::CrouchSlash: return std::make_unique<CrouchSlash>();
    case AttackKind::Guard: return std::make_unique<GuardEffect>();
    case AttackKind::TeleportAfterImage: return std::make_unique<TeleportAfterImage>();
    default: return nullptr;
  }
}

}  // namespace

AttackEffectManager::AttackEffectManager() = default;

AttackEffectManager::~AttackEffectManager() { Clear(); }

void AttackEffectManager::ReleaseTable() {
  table_.reset();
  tableSize_ = 0;
}

void AttackEffectManager::Clear() {
  ReleaseTable();
  count_ = 0;
}

void AttackEffectManager::Allocate() {
  ReleaseTable();
  table_ = std::make_unique<std::unique_ptr<ActObject>[]>(static_cast<size_t>(count_));
  tableSize_ = count_;
}

void AttackEffectManager::CreateAll() {
  for (int kind = AttackKind::First; kind <= AttackKind::Last && kind < tableSize_; ++kind) {
    table_[kind] = MakeObject(kind);
    table_[kind]->Init();
  }
}

ActObject* AttackEffectManager::Object(int kind) const {
  if (kind < AttackKind::First || kind > AttackKind::Last || kind >= tableSize_) return nullptr;
  return table_[kind].get();
}

void AttackEffectManager::Fire(int kind) {
  if (ActObject* object = Object(kind)) object->Activate();
}

void AttackEffectManager::MoveAll() {
  for (int kind = AttackKind::First; kind <= AttackKind::Last; ++kind) {
    ActObject* object = Object(kind);
    if (!object) continue;
    if (kind == AttackKind::AirSlash)
      object->Place();
    else
      object->Move();
  }
}

void AttackEffectManager::EndFinished() {
  const uint32_t heroFlags = g_Player.GetFlags();
  for (int kind = AttackKind::First; kind <= AttackKind::Last; ++kind) {
    ActObject* object = Object(kind);
    if (!object) continue;
    bool over;
    if (kind == AttackKind::Guard)
      over = !(heroFlags & PlayerState::Guard);
    else if (const uint32_t heroFlag = HeroFlagOf(kind))
      over = object->IsTimerDone(0) || !(heroFlags & heroFlag);
    else
      over = object->IsTimerDone(0);
    if (over) object->SetFlags(kActive, FlagOp::Clear);
  }
}

void AttackEffectManager::HitEnemies() {
  for (int kind = AttackKind::First; kind <= AttackKind::Last; ++kind) {
    if (kind == AttackKind::DashDust || kind == AttackKind::TeleportAfterImage) continue;
    ActObject* object = Object(kind);
    if (object && (object->GetFlags() & ActObjectFlag::CanHit)) object->HitEnemies();
  }
}

void AttackEffectManager::SyncVisibility() {
  for (int kind = AttackKind::First; kind <= AttackKind::Last; ++kind)
    if (ActObject* object = Object(kind)) object->SyncVisibility();
}

void AttackEffectManager::AnimateAll() {
  for (int kind = AttackKind::First; kind <= AttackKind::Last; ++kind) {
    ActObject* object = Object(kind);
    if (object && (object->GetFlags() & ActObjectFlag::Visible)) object->Animate();
  }
}

int AttackEffectManager::GetDamage(int kind) const {
  const ActObject* object = Object(kind);
  return object ? object->GetDamage() : 0;
}

D3DXVECTOR2 AttackEffectManager::GetKnockback(int kind) const {
  const ActObject* object = Object(kind);
  return object ? object->GetKnockback() : D3DXVECTOR2{0, 0};
}

int AttackEffectManager::GetFacing(int kind) const {
  const ActObject* object = Object(kind);
  return object ? object->GetFacing() : 0;
}

void AttackEffectManager::SetFacing(int kind, int facing) {
  if (kind != AttackKind::AirSlash) return;
  if (ActObject* object = Object(kind)) object->SetFacing(facing);
}

D3DXVECTOR2 AttackEffectManager::GetPosition(int kind) const {
  const ActObject* object = Object(kind);
  return object ? object->GetPosition() : D3DXVECTOR2{0, 0};
}

D3DXVECTOR2 AttackEffectManager::GetSize(int kind) const {
  const ActObject* object = Object(kind);
  return object ? object->GetSize() : D3DXVECTOR2{0, 0};
}

uint32_t AttackEffectManager::GetFlags(int kind) const {
  const ActObject* object = Object(kind);
  return object ? object->GetFlags() : 0;
}

void AttackEffectManager::ClearCanHit(int kind) {
  if (!HeroFlagOf(kind)) return;  // the slashes only
  if (ActObject* object = Object(kind)) object->SetFlags(ActObjectFlag::CanHit, FlagOp::Clear);
}
