#include "act/mobs/stampshockwave.h"

#include <cstdint>

#include "act/actgraphics.h"

// texture, width, height, hit half-extents x and y, speed, power, knockback x and y, cells, life
const MobShotTraits StampShockWave::kTraits = {ActTexture::StampShockWave, 64, 32, 30, 15, 10, 15, 10, -8, 2, 8};

void StampShockWave::Setup(int slot, int owner, int direction) {
  SetupShot(kTraits, slot, owner, direction, kTraits.power + OwnerAttack(owner), direction);
  cell_ = UINT32_MAX;  // the first Animate shows cell 0
  Activate();
}

void StampShockWave::Animate() {
  if (tick_ % 4 == 0) {
    cell_ += 1;
    ShowCell();
  }
  tick_ += 1;
}
