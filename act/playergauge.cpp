// The hero's gauges in play: MP drains every frame until he is exhausted, SP fills into
// teleport charges, enemy shots and bodies hurt him, items restore him.
#include <cmath>

#include "act/actionscene.h"
#include "act/mobs/mobmanager.h"
#include "act/mobs/mobshotmanager.h"
#include "act/player.h"
#include "act/worldbox.h"

namespace {

const PlayerWeaponStats& WeaponStats(const PlayerStats& stats, int weapon) {
  return stats.weapon[weapon == 1 ? 1 : 0];
}

// The size of attack × relative speed, as a whole number (kept far below the int range).
int ImpactOf(int attack, float relativeSpeed) {
  const double impact = std::fabs(static_cast<double>(attack) * relativeSpeed);
  return impact < 1.0e8 ? static_cast<int>(impact) : 100000000;
}

}  // namespace

void Player::DrainMp() {
  PlayerStats* stats = status_.stats;
  if (!stats) return;
  stats->mp -= status_.mpDrainBase - WeaponStats(*stats, status_.weapon).mpDrainOffset;
  if (stats->mp <= 0) {
    stats->mp = 0;
    exhausted_ = 1;
  }
}

void Player::RefillSp() {
  PlayerStats* stats = status_.stats;
  if (!stats || status_.charges >= status_.maxCharges) return;
  const int refill = WeaponStats(*stats, status_.weapon).spRefill;
  stats->sp += refill;
  if (status_.flags & PlayerState::Crouch) stats->sp += refill;  // crouching fills twice as fast
  if (stats->sp >= stats->spMax) {
    stats->sp = 0;
    status_.charges += 1;
  }
}

int Player::UseTeleportCharge() {
  if (status_.charges <= 0) return 0;
  status_.charges -= 1;
  return 1;
}

// Without a charge a teleport costs all SP, half the MP and half the HP, and knocks the hero
// backward instead of moving him; it never kills.
void Player::TeleportWithoutCharge() {
  PlayerStats* stats = status_.stats;
  if (!stats) return;
  stats->sp = 0;
  stats->mp /= 2;
  TakeDamage(stats->hp / 2, status_.facing == 0 ? 1 : 0, 10.0f, 0.0f, 1);
}

void Player::CheckEnemyContact() {
  if (status_.flags & (PlayerState::HitStun | PlayerState::Invincible | PlayerState::Teleporting)) return;
  CheckShotContact();
  CheckMobContact();
}

void Player::CheckShotContact() { g_MobShotManager.HitPlayer(); }

// The first awake mob whose hit box overlaps the hero's body hurts him by the speed at which
// they meet (at least 5) and pushes him away from it. A dead one is skipped: a Bomber that burst
// in this frame's update is still in its slot, hidden, until the dead are removed.
void Player::CheckMobContact() {
  const WorldBox body = BoxAt(status_.x, status_.y, GetBodyTopLeft(), GetBodyBottomRight());
  for (int i = 0; i < g_MobManager.GetCount(); ++i) {
    if (!g_MobManager.IsActive(i) || (g_MobManager.GetFlags(i) & MobFlag::Dead)) continue;
    const MobStatus mob = g_MobManager.GetStatus(i);
    const WorldBox mobBox =
        BoxAt(mob.x, mob.y, g_MobManager.GetHitBoxTopLeft(i), g_MobManager.GetHitBoxBottomRight(i));
    if (!Overlaps(body, mobBox)) continue;
    const D3DXVECTOR2 size = g_MobManager.GetSize(i);
    const D3DXVECTOR2 mobVelocity = g_MobManager.GetVelocity(i);
    const int facing = mob.x + size.x / 2 > GetBodyCenter().x ? 0 : 1;
    const int attack = mob.GetAttack();
    int damage = (ImpactOf(attack, velocity_.x - mobVelocity.x) + ImpactOf(attack, velocity_.y - mobVelocity.y)) / 4;
    if (damage < 5) damage = 5;
    TakeDamage(damage, facing, static_cast<float>(damage / 2), 0.0f, 0);
    return;
  }
}

void Player::TakeDamage(int damage, int facing, float knockX, float knockY, int nonLethal) {
  PlayerStats* stats = status_.stats;
  if (!stats) return;
  const int defence = WeaponStats(*stats, status_.weapon).defence;
  if (!exhausted_) {
    damage -= defence;
    knockX /= static_cast<float>(defence / 2);
    knockY /= static_cast<float>(defence / 2);
  }
  if (status_.flags & PlayerState::Guard) {
    // A guarded hit costs MP instead; one the defence more than covers gives MP back.
    damage /= 5;
    stats->mp -= damage;
    if (stats->mp <= 0) stats->mp = 0;
    knockX /= 2;
    knockY = 0;
  }
  if (exhausted_) damage *= 2;

  PlayActSound(ActSound::PlayerHit);

  if (damage <= 0) {
    // Absorbed: unless exhausted, a moment of safety and nothing else.
    if (!exhausted_) {
      SetFlags(PlayerState::Invincible, FlagOp::Set);
      StartTimer(PlayerTimer::Invincible, 0);
    }
    return;
  }

  stats->hp -= damage;
  if (nonLethal && stats->hp <= 0) stats->hp = 1;
  SetFlags(PlayerState::HitStun, FlagOp::Set);
  StartTimer(PlayerTimer::HitStun + 1, 20);  // the hit stun's duration
  StartTimer(PlayerTimer::HitStun, 0);
  status_.facing = facing;
  SetVelocityX(facing == 1 ? knockX : -knockX, VelocityMode::Assign);
  SetVelocityY(knockY, VelocityMode::Assign);
  blinkCounter_ = 0;
  ClearComboBuffer();
  if (stats->hp <= 0) SetFlags(PlayerState::Dead, FlagOp::Set);
}

void Player::Recover(int amount, int kind) {
  PlayerStats* stats = status_.stats;
  if (!stats) return;
  const bool spRoom = status_.charges <= status_.maxCharges;
  switch (kind) {
    case RecoverKind::Hp:
      stats->hp += amount;
      if (stats->hp >= stats->hpMax) stats->hp = stats->hpMax;
      break;
    case RecoverKind::Mp:
      stats->mp += amount;
      if (stats->mp >= stats->mpMax) stats->mp = stats->mpMax;
      break;
    case RecoverKind::Sp:
      if (spRoom) {
        stats->sp += amount;
        if (stats->sp >= stats->spMax) stats->sp = stats->spMax;
      }
      break;
    case RecoverKind::HpFull:
      stats->hp = stats->hpMax;
      break;
    case RecoverKind::MpFull:
      stats->mp = stats->mpMax;
      break;
    case RecoverKind::SpFull:
      if (spRoom) stats->sp = stats->spMax;
      break;
    case RecoverKind::All:
      stats->hp = stats->hpMax;
      stats->mp = stats->mpMax;
      if (spRoom) stats->sp = stats->spMax;
      break;
    default:
      break;
  }
  if (exhausted_ && stats->mp >= 1) exhausted_ = 0;
}
