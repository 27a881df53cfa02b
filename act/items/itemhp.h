#pragma once
// The HP item: 100 HP back on touch. Placed by the map (cell 16) or dropped by enemies.
#include "act/items/itemrecovery.h"

class ItemHp : public ItemRecovery {
 public:
  HRESULT Init(int index) override;
  void OnTouch() override;
};
