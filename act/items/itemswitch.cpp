#include "act/items/itemswitch.h"

#include "act/mapmodel.h"

HRESULT ItemSwitch::Init(int index) { return InitKind(index, kTraits); }

void ItemSwitch::OnTouch() { g_MapModel.CloseGates(); }
