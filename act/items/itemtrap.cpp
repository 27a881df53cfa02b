#include "act/items/itemtrap.h"

#include "act/actgraphics.h"
#include "act/player.h"

namespace {
// value, texture, size, map box, touch box, frames, first frame, velocity, timed, shift down
const ItemTraits kTraits = {100, ActTexture::ActMapObject, {32, 32}, {0, 0, 32, 32}, {0, 0, 0, 0}, 1, {64, 0}, {0, 0},
                            false, 0};
constexpr int kDamage = 255;
constexpr float kKnockX = 30.0f, kKnockY = -15.0f;
}  // namespace

HRESULT ItemTrap::Init(int index) { return InitKind(index, kTraits); }

void ItemTrap::OnTouch() {
  g_Player.TakeDamage(kDamage, g_Player.GetFacing() == 0 ? 1 : 0, kKnockX, kKnockY, 0);
}
