#pragma once
// What the switch and the goal share: invisible triggers that neither move nor animate; they
// answer the hero's touch from their placement on, awake or not, and are used up by it.
#include "act/items/item.h"

class ItemTrigger : public Item {
 public:
  // Both: 32 × 32, touched anywhere on that square, one frame, timed when dropped.
  static const ItemTraits kTraits;

  void Update() override;
  void Move() override;
  void Animate(int unused) override;
  void ResetAnim() override;
  void StepAnim() override;
};
