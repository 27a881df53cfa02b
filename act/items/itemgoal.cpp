#include "act/items/itemgoal.h"

#include "act/actionscene.h"

HRESULT ItemGoal::Init(int index) { return InitKind(index, kTraits); }

void ItemGoal::OnTouch() { g_ActionScene.RequestStageEnd(); }
