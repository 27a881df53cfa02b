#include "act/attacks/comboslash3.h"

#include "act/actionscene.h"
#include "act/attacks/attackeffectmanager.h"
#include "act/player.h"

namespace {
// kind, width, height, hit half-extents x and y, cells, cell row, power, knockback x and y, life
constexpr AttackKindData kData = {AttackKind::ComboSlash3, 64, 64, 30, 20, 6, 96, 5, 5, -1, 24};
}  // namespace

void ComboSlash3::Init() { InitKind(kData); }

void ComboSlash3::Activate() {
  facing_ = g_Player.GetFacing();
  velocity_.x = facing_ == 0 ? -1.2f : 1.2f;
  ActivateSlash(ActSound::SwingCombo3, ActObjectFlag::Visible | ActObjectFlag::CanHit);
}

void ComboSlash3::Place() {
  const D3DXVECTOR2 p = g_Player.GetPosition(), f = g_Player.GetFrameSize();
  PlaceAt(facing_ == 1 ? p.x + f.x / 2 - 16 : p.x + f.x / 2 + 16 - size_.x, p.y + f.y / 2);
}

void ComboSlash3::Animate() { AnimateCells(ActSound::SwingCombo3); }
