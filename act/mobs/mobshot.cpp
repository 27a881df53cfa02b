#include "act/mobs/mobshot.h"

#include "act/mapmodel.h"
#include "act/mobs/mobmanager.h"
#include "librarysauce/sprite.h"

int MobShot::OwnerAttack(int owner) { return g_MobManager.GetStatus(owner).GetAttack(); }

void MobShot::SetupShot(const MobShotTraits& traits, int slot, int owner, int facing, int damage, int mirror) {
  kind_ = slot;
  sprite_ = static_cast<uint32_t>(g_MapModel.GetMobShotSpriteBase() + slot);
  position_ = {0, 0};
  size_ = {traits.width, traits.height};
  hitHalf_ = {traits.halfX, traits.halfY};
  facing_ = facing;
  flags_ = 0;
  speed_ = traits.speed;
  velocity_ = {facing != 0 ? speed_ : -speed_, 0};
  speedCaps_ = {0, 0};
  tick_ = 0;
  blinkCounter_ = 0;
  owner_ = owner;
  power_ = traits.power;
  damage_ = damage;
  knockback_ = {traits.knockX, traits.knockY};
  MakeCells(traits.cellCount, traits.width, 0);
  timerDuration_ = traits.life;
  if (Sprite* sprite = GetSprite()) {
    sprite->SetTexture(traits.texture);
    sprite->SetSrcPos(0, 0);
    sprite->SetNoMirror(mirror);
    sprite->SetSize(size_.x, size_.y);
    sprite->Unregister();
    sprite->Register();
  }
}

void MobShot::Activate() {
  Place();
  SetFlags(ActObjectFlag::Visible | ActObjectFlag::CanHit, FlagOp::Replace);
  StartTimer(0);
}

void MobShot::Place() {
  CenterOnOwner();
  PlaceSprite();
}

D3DXVECTOR2 MobShot::CenterOnOwner() {
  const D3DXVECTOR2 centre = g_MobManager.GetCenter(owner_);
  position_ = {centre.x - size_.x / 2, centre.y - size_.y / 2};
  return centre;
}

void MobShot::PlaceSprite() {
  if (Sprite* sprite = GetSprite()) {
    const D3DXVECTOR2 scroll = g_MapModel.GetScroll();
    sprite->SetPos(position_.x - scroll.x, position_.y - scroll.y);
  }
}
