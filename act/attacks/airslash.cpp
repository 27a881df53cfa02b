#include "act/attacks/airslash.h"

#include "act/actionscene.h"
#include "act/attacks/attackeffectmanager.h"
#include "act/player.h"

namespace {
// kind, width, height, hit half-extents x and y, cells, cell row, power, knockback x and y, life
constexpr AttackKindData kData = {AttackKind::AirSlash, 96, 28, 48, 14, 1, 160, 3, 1, 0, 24};
}  // namespace

void AirSlash::Init() { InitKind(kData); }

void AirSlash::Activate() {
  ActivateSlash(ActSound::SwingAir, ActObjectFlag::Visible);
}

void AirSlash::Place() {
  const D3DXVECTOR2 p = g_Player.GetPosition(), f = g_Player.GetFrameSize();
  PlaceAt(facing_ == 1 ? p.x + f.x / 2 - 1 : p.x + f.x / 2 + 1 - size_.x, p.y + 19 + f.y / 2);
}

void AirSlash::Animate() { AnimateSwing(ActSound::SwingAir); }
