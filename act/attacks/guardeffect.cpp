#include "act/attacks/guardeffect.h"

#include "act/attacks/attackeffectmanager.h"
#include "act/player.h"

namespace {
// No timer: the guard's release ends it.
// kind, width, height, hit half-extents x and y, cells, cell row, power, knockback x and y, life
constexpr AttackKindData kData = {AttackKind::Guard, 128, 128, 128, 128, 5, 0, 0, 1, 0, 0};
}  // namespace

void GuardEffect::Init() { InitKind(kData); }

void GuardEffect::Activate() {
  if (flags_ & ActObjectFlag::Visible) return;
  Place();
  SetFlags(ActObjectFlag::Visible, FlagOp::Replace);
  tick_ = cell_ = 0;
}

void GuardEffect::Place() {
  const D3DXVECTOR2 body = g_Player.GetBodyCenter();
  PlaceAt(body.x - size_.x / 2, body.y - size_.y / 2);
}

void GuardEffect::Animate() { AnimateOnce(); }
