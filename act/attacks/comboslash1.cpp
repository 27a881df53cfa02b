#include "act/attacks/comboslash1.h"

#include "act/actionscene.h"
#include "act/attacks/attackeffectmanager.h"
#include "act/player.h"

namespace {
// kind, width, height, hit half-extents x and y, cells, cell row, power, knockback x and y, life
constexpr AttackKindData kData = {AttackKind::ComboSlash1, 68, 28, 34, 14, 1, 0, 2, 1, 0, 24};
}  // namespace

void ComboSlash1::Init() { InitKind(kData); }

void ComboSlash1::Activate() {
  ActivateSlash(ActSound::SwingCombo1, ActObjectFlag::Visible);
}

void ComboSlash1::Place() {
  const D3DXVECTOR2 p = g_Player.GetPosition(), f = g_Player.GetFrameSize();
  PlaceAt(facing_ == 1 ? p.x + f.x / 2 + 28 : p.x + f.x / 2 - 28 - size_.x, p.y + 35 + f.y / 2);
}

void ComboSlash1::Animate() { AnimateSwing(ActSound::SwingCombo1); }
