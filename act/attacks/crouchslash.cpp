#include "act/attacks/crouchslash.h"

#include "act/actionscene.h"
#include "act/attacks/attackeffectmanager.h"
#include "act/player.h"

namespace {
// kind, width, height, hit half-extents x and y, cells, cell row, power, knockback x and y, life
constexpr AttackKindData kData = {AttackKind::CrouchSlash, 92, 24, 46, 12, 1, 192, 2, 3, 0, 24};
}  // namespace

void CrouchSlash::Init() { InitKind(kData); }

void CrouchSlash::Activate() {
  ActivateSlash(ActSound::SwingCrouch, ActObjectFlag::Visible);
}

void CrouchSlash::Place() {
  const D3DXVECTOR2 p = g_Player.GetPosition(), f = g_Player.GetFrameSize();
  PlaceAt(facing_ == 1 ? p.x + f.x / 2 + 3 : p.x + f.x / 2 - 2 - size_.x, p.y + 72 + f.y / 2);
}

void CrouchSlash::Animate() { AnimateSwing(ActSound::SwingCrouch); }
