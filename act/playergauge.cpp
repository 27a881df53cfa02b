// Stand-in until the hero's gauges come: recovery and damage, reduced to what the items need.
#include "act/player.h"

void Player::TakeDamage(int damage, int facing, float knockX, float knockY, int nonLethal) {
  PlayerStats* stats = status_.stats;
  if (!stats) return;
  const int defence = stats->weapon[status_.weapon == 1 ? 1 : 0].defence;
  damage -= defence;
  knockX /= static_cast<float>(defence / 2);
  knockY /= static_cast<float>(defence / 2);
  if (damage <= 0) return;
  stats->hp -= damage;
  if (nonLethal && stats->hp <= 0) stats->hp = 1;
  SetFlags(PlayerState::HitStun, 1);
  status_.facing = facing;
  SetVelocityX(facing == 1 ? knockX : -knockX, 0);
  SetVelocityY(knockY, 0);
  if (stats->hp <= 0) SetFlags(PlayerState::Dead, 1);
}

void Player::Recover(int amount, int kind) {
  PlayerStats* stats = status_.stats;
  if (!stats) return;
  if (kind == RecoverKind::Hp) stats->hp = stats->hp + amount >= stats->hpMax ? stats->hpMax : stats->hp + amount;
  if (kind == RecoverKind::Mp) stats->mp = stats->mp + amount >= stats->mpMax ? stats->mpMax : stats->mp + amount;
  if (exhausted_ && stats->mp >= 1) exhausted_ = 0;
}
