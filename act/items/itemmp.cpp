#include "act/items/itemmp.h"

#include "act/actgraphics.h"
#include "act/player.h"

namespace {
// Its own load of the item picture; the MP cells are the row at y 96, and the item is touched
// only by its lowest ten pixels, where the picture stands.
constexpr int kTexture = ActTexture::ActItem + 3;
// value, texture, size, map box, touch box, frames, first frame, velocity, timed, shift down
const ItemTraits kTraits = {2000, kTexture, {32, 32}, {0, 0, 32, 32}, {12, 22, 20, 32},
                            4,    {0, 96},  {0, -5},  true,           0};
}  // namespace

HRESULT ItemMp::Init(int index) { return InitKind(index, kTraits); }

void ItemMp::OnTouch() { GiveTo(RecoverKind::Mp); }
