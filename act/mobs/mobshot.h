#pragma once
// What the enemies' three shots share (NormalBullet, StampShockWave, BurstShot): the firing
// enemy's slot (the owner, read only while the shot is set up and placed), the set-up steps
// that differ only by the kind's constants, and the placement centred on the owner.
//
// A shot lives in a slot of the mob-shot manager and draws with the shot sprite of that slot.
// Its kind field holds the slot, its power the base damage; its timer 0 is its life.
#include <cstdint>

#include "act/attacks/actobject.h"

// The constants of a shot kind.
struct MobShotTraits {
  int texture;           // ActTexture
  float width, height;   // the sprite's size
  float halfX, halfY;    // hit half-extents
  float speed;
  int power;             // base damage
  float knockX, knockY;
  uint32_t cellCount;
  uint32_t life;         // frames
};

class MobShot : public ActObject {
 public:
  int GetOwner() const { return owner_; }
  // Placed, visible and able to hit; its time starts (the wave and the burst).
  void Activate() override;
  // Centred on the owner (the wave and the burst).
  void Place() override;

 protected:
  // Set-up but for the activation: slot, sprite, size and hit box, facing, flags 0 (inert until
  // activated), speed and the velocity along the facing, owner, damage, knockback, the cells in
  // a row, life; the sprite takes the kind's picture at source (0, 0), mirrored by mirror, at
  // the shot's size, and is put last among its depth so that the newest shot draws over the
  // older ones.
  void SetupShot(const MobShotTraits& traits, int slot, int owner, int facing, int damage, int mirror);
  // The shot centred on its owner's hit box; returns that centre.
  D3DXVECTOR2 CenterOnOwner();
  // The sprite at the position on screen.
  void PlaceSprite();
  // The attack of the owner (stats word 6).
  static int OwnerAttack(int owner);

  int owner_ = 0;
};
