#include "act/itemswitch.h"

#include "act/actgraphics.h"
#include "act/mapmodel.h"

namespace {
const ItemTraits kTraits = {0, ActTexture::ActItem, {32, 32}, {0, 0, 32, 32}, {0, 0, 32, 32}, 1, {0, 0}, {0, 0},
                            true, 0};
}  // namespace

HRESULT ItemSwitch::Init(int index) { return InitKind(index, kTraits); }

void ItemSwitch::OnTouch() { g_MapModel.CloseGates(); }
