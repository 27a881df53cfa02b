#include "act/attackeffectmanager.h"

#include "act/actionscene.h"
#include "act/player.h"

AttackEffectManager g_AttackEffectManager;

namespace {

// Frames each kind lives by its own timer; 0 for the guard effect, which has none.
constexpr uint32_t kLife[9] = {0, 24, 24, 24, 24, 25, 24, 0, 12};
// The hero's state that keeps a kind alive; 0 for the kinds that only time ends.
constexpr uint32_t kHeroState[9] = {0,
                                    PlayerState::Combo1,
                                    PlayerState::Combo2,
                                    PlayerState::Combo3,
                                    PlayerState::AirAttack,
                                    0,
                                    PlayerState::CrouchAttack,
                                    PlayerState::Guard,
                                    0};

}  // namespace

void AttackEffectManager::Allocate() {
  for (int kind = 0; kind < kCount; ++kind) flags_[kind] = 0;
}

void AttackEffectManager::CreateAll() {
  for (int kind = 1; kind <= 8; ++kind) {
    flags_[kind] = 0;
    facing_[kind] = g_Player.GetFacing();
  }
}

void AttackEffectManager::Fire(int kind) {
  if (!IsKind(kind)) return;
  if (kind == AttackKind::Guard) {
    // The guard effect is restarted only once it has stopped, and keeps its first facing.
    if (!(flags_[kind] & kVisible)) flags_[kind] = kVisible;
    return;
  }
  facing_[kind] = g_Player.GetFacing();
  fireFrame_[kind] = g_ActionScene.GetFrameCount();
  const bool hitsAtOnce = kind == AttackKind::ComboSlash2 || kind == AttackKind::ComboSlash3;
  flags_[kind] = hitsAtOnce ? kVisible | kCanHit : kVisible;
}

void AttackEffectManager::SetFacing(int kind, int facing) {
  if (kind == AttackKind::AirSlash) facing_[kind] = facing;
}

void AttackEffectManager::EndFinished() {
  const uint32_t now = g_ActionScene.GetFrameCount();
  const uint32_t heroFlags = g_Player.GetFlags();
  for (int kind = 1; kind <= 8; ++kind) {
    const bool timeUp = kLife[kind] != 0 && fireFrame_[kind] + kLife[kind] <= now;
    const bool stateGone = kHeroState[kind] != 0 && !(heroFlags & kHeroState[kind]);
    if (timeUp || stateGone) flags_[kind] &= ~(kVisible | kCanHit);
  }
}

uint32_t AttackEffectManager::GetFlags(int kind) const { return IsKind(kind) ? flags_[kind] : 0; }

int AttackEffectManager::GetFacing(int kind) const { return IsKind(kind) ? facing_[kind] : 0; }
