#include "act/attacks/comboslash2.h"

#include "act/actionscene.h"
#include "act/attacks/attackeffectmanager.h"
#include "act/player.h"

namespace {
// kind, width, height, hit half-extents x and y, cells, cell row, power, knockback x and y, life
constexpr AttackKindData kData = {AttackKind::ComboSlash2, 64, 64, 10, 25, 6, 32, 3, 2, -3.5f, 24};
}  // namespace

void ComboSlash2::Init() { InitKind(kData); }

void ComboSlash2::Activate() {
  facing_ = g_Player.GetFacing();
  velocity_ = {facing_ == 0 ? -1.0f : 1.0f, -0.5f};
  ActivateSlash(ActSound::SwingCombo2, ActObjectFlag::Visible | ActObjectFlag::CanHit);
}

void ComboSlash2::Place() {
  const D3DXVECTOR2 p = g_Player.GetPosition(), f = g_Player.GetFrameSize();
  PlaceAt(facing_ == 1 ? p.x + f.x / 2 : p.x + f.x / 2 - 16 - size_.x, p.y + f.y / 2);
}

void ComboSlash2::Animate() { AnimateCells(ActSound::SwingCombo2); }
