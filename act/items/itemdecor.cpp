#include "act/items/itemdecor.h"

#include "act/actgraphics.h"

namespace {
// value, texture, size, map box, touch box, frames, first frame, velocity, timed, shift down
const ItemTraits kTraits = {100, ActTexture::ActMapObject, {64, 64}, {0, 0, 64, 64}, {0, 0, 0, 0}, 1, {0, 0}, {0, 0},
                            false, 5};
}  // namespace

HRESULT ItemDecor::Init(int index) { return InitKind(index, kTraits); }

// The manager never tests a decoration's touch.
void ItemDecor::OnTouch() {}
