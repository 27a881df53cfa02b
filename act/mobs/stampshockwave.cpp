#include "act/mobs/stampshockwave.h"

#include <cstdint>

#include "act/actgraphics.h"

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
