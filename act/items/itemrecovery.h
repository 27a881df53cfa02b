#pragma once
// What the HP and MP items share: from the frame after they wake they pop up (5 pixels a frame,
// slowed by Gravity::RecoveryItems, 0.5), fall back onto solid ground and lie there; they flash
// while falling, and a dropped one flashes for good once past its blink time; they cycle four
// frames.
#include "act/items/item.h"

class ItemRecovery : public Item {
 public:
  void Update() override;
  void Move() override;
  void Animate(int unused) override;
  void StepAnim() override;

 protected:
  // Gives the hero the item's amount of a RecoverKind and plays the pick-up sound from its start.
  void GiveTo(int recoverKind);
};
