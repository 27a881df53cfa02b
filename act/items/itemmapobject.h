#pragma once
// What decorations and traps share: pictures of the map's object layer (ActMapObject.bmp) that
// stand where the map puts them for the whole stage, shown while inside the view once awake; no
// gravity, no collision, no animation, and nothing hides them.
#include "act/items/item.h"

class ItemMapObject : public Item {
 public:
  void Update() override;
  void Move() override;
  void Animate(int unused) override;
  void ResetAnim() override;
  void StepAnim() override;
  void Hide() override;
};
