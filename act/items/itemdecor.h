#pragma once
// A decoration (cell 22): a 64 × 64 picture standing 5 pixels below its cell's top; the hero
// passes it by.
#include "act/items/itemmapobject.h"

class ItemDecor : public ItemMapObject {
 public:
  HRESULT Init(int index) override;
  void OnTouch() override;
};
