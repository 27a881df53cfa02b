#pragma once
// A trap (cell 23): spikes whose touch point is their top-left corner. On every frame that point
// lies strictly inside the hero's body he takes 255 damage (before his defence), knocked back
// against his facing, whether he is hurt or invincible already. It stays for the whole stage.
#include "act/items/itemmapobject.h"

class ItemTrap : public ItemMapObject {
 public:
  HRESULT Init(int index) override;
  void OnTouch() override;
};
