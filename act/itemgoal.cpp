#include "act/itemgoal.h"

#include "act/actgraphics.h"
#include "act/actionscene.h"

namespace {
const ItemTraits kTraits = {0, ActTexture::ActItem, {32, 32}, {0, 0, 32, 32}, {0, 0, 32, 32}, 1, {0, 0}, {0, 0},
                            true, 0};
}  // namespace

HRESULT ItemGoal::Init(int index) { return InitKind(index, kTraits); }

void ItemGoal::OnTouch() { g_ActionScene.RequestStageEnd(); }
