#include "act/mobs/burstshot.h"

#include <cstdint>

#include "act/actgraphics.h"
#include "librarysauce/sprite.h"

namespace {
constexpr uint32_t kCellsPerRow = 4;
}

// texture, width, height, hit half-extents x and y, speed, power, knockback x and y, cells, life
const MobShotTraits BurstShot::kTraits = {ActTexture::Burst, 156, 156, 78, 78, 0, 30, 10, -10, 7, 60};

void BurstShot::Setup(int slot, int owner, int direction) {
  SetupShot(kTraits, slot, owner, direction, kTraits.power + OwnerAttack(owner), direction);
  // A sheet of four cells a row.
  const float cellSize = kTraits.width;
  for (uint32_t i = 0; i < cellCount_; ++i)
    cells_[i] = {static_cast<float>(i % kCellsPerRow) * cellSize, static_cast<float>(i / kCellsPerRow) * cellSize};
  cell_ = UINT32_MAX;  // the first Animate shows cell 0
  Activate();
}

void BurstShot::Animate() {
  if (tick_ % 3 == 0) {
    cell_ += 1;
    if (cell_ >= cellCount_) cell_ = 0;
  }
  tick_ += 1;
  ShowCell();
}

void BurstShot::Draw() {
  if (flags_ & ActObjectFlag::Visible) {
    Blink();
  } else if (Sprite* sprite = GetSprite()) {
    sprite->Hide();
  }
}
