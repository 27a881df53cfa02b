#include "act/attacks/dashdust.h"

#include "act/attacks/attackeffectmanager.h"
#include "act/player.h"

namespace {
// kind, width, height, hit half-extents x and y, cells, cell row, power, knockback x and y, life
constexpr AttackKindData kData = {AttackKind::DashDust, 128, 128, 0, 0, 4, 0, 0, 1, 0, 25};
}  // namespace

void DashDust::Init() { InitKind(kData); }

void DashDust::Activate() {
  ActivateEffect();
}

void DashDust::Place() {
  const D3DXVECTOR2 p = g_Player.GetPosition(), f = g_Player.GetFrameSize();
  PlaceAt(facing_ == 1 ? p.x + f.x / 2 - size_.x : p.x + f.x / 2, p.y + f.y - size_.y);
}

void DashDust::Animate() { AnimateOnce(); }
