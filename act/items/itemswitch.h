#pragma once
// The switch (cell 3): the hero's touch closes every gate of the map; then it is gone.
#include "act/items/itemtrigger.h"

class ItemSwitch : public ItemTrigger {
 public:
  HRESULT Init(int index) override;
  void OnTouch() override;
};
