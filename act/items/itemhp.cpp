#include "act/items/itemhp.h"

#include "act/actgraphics.h"
#include "act/player.h"

namespace {
// Touched by a narrow strip down its middle, from just below its top.
// value, texture, size, map box, touch box, frames, first frame, velocity, timed, shift down
const ItemTraits kTraits = {100, ActTexture::ActItem, {32, 32}, {0, 0, 32, 32}, {12, 3, 20, 32},
                            4,   {0, 0},              {0, -5},  true,           0};
}  // namespace

HRESULT ItemHp::Init(int index) { return InitKind(index, kTraits); }

void ItemHp::OnTouch() { GiveTo(RecoverKind::Hp); }
