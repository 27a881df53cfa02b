#pragma once
// The goal (cell 4): the hero's touch ends the stage (the fade-out to the next one, once per
// stage); then it is gone.
#include "act/items/itemtrigger.h"

class ItemGoal : public ItemTrigger {
 public:
  HRESULT Init(int index) override;
  void OnTouch() override;
};
