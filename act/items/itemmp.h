#pragma once
// The MP item: 2000 MP back on touch. Placed by the map (cell 19) or dropped by enemies.
#include "act/items/itemrecovery.h"

class ItemMp : public ItemRecovery {
 public:
  HRESULT Init(int index) override;
  void OnTouch() override;
};
