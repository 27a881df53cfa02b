#include "act/mobs/normalbullet.h"

#include <cmath>

#include "act/actgraphics.h"
#include "act/mapmodel.h"
#include "act/player.h"

// texture, width, height, hit half-extents x and y, speed, power, knockback x and y, cells, life
const MobShotTraits NormalBullet::kTraits = {ActTexture::NormalBullet, 16, 16, 6, 6, 3.5f, 15, 5, 0, 1, 600};

void NormalBullet::Setup(int slot, int owner) {
  // A tenth of the owner's attack, in whole points.
  SetupShot(kTraits, slot, owner, 0, kTraits.power + OwnerAttack(owner) / 10, 1);
  cell_ = 0;
  Activate();
}

void NormalBullet::Activate() {
  const D3DXVECTOR2 scroll = g_MapModel.GetScroll();
  Place();
  StartTimer(0);
  const bool inView = scroll.x <= position_.x && position_.x <= scroll.x + MapModel::kScreenWidth &&
                      scroll.y <= position_.y && position_.y <= scroll.y + MapModel::kScreenHeight;
  if (inView) SetFlags(ActObjectFlag::Visible | ActObjectFlag::CanHit, FlagOp::Replace);
}

void NormalBullet::Place() {
  const D3DXVECTOR2 from = CenterOnOwner();
  const D3DXVECTOR2 target = g_Player.GetBodyCenter();
  const float angle = std::atan2(target.y - from.y, target.x - from.x);
  aimAngle_ = angle;
  velocity_ = {std::cos(angle) * speed_, std::sin(angle) * speed_};
  if (velocity_.x >= 0) facing_ = 1;
  PlaceSprite();
}
