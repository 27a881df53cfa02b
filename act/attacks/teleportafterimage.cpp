#include "act/attacks/teleportafterimage.h"

#include "act/attacks/attackeffectmanager.h"
#include "act/player.h"
#include "librarysauce/sprite.h"

namespace {
// kind, width, height, hit half-extents x and y, cells, cell row, power, knockback x and y, life
constexpr AttackKindData kData = {
    AttackKind::TeleportAfterImage, Player::kFrameSize, Player::kFrameSize, 0, 0, 1, 0, 0, 0, 0, 12};
constexpr D3DCOLOR kTint = 0xC08080FF;
}  // namespace

void TeleportAfterImage::Init() { InitKind(kData); }

void TeleportAfterImage::Activate() { ActivateEffect(); }

// On the hero's own frame.
void TeleportAfterImage::Place() {
  const D3DXVECTOR2 p = g_Player.GetPosition();
  PlaceAt(p.x, p.y);
}

// The tint is given every frame; the source stays at the sheet's first cell.
void TeleportAfterImage::Animate() {
  if (Sprite* sprite = GetSprite()) sprite->SetColor(kTint);
}
