#pragma once
// The Kedama's bullet: a 16-pixel ball aimed once, when fired, at the middle of the hero's body,
// flying straight on at 3.5 pixels a frame for 600 frames. A bullet fired from outside the view
// is inert: never shown and never hitting, though it flies and lives out its time. A hit on
// the hero ends it.
#include "act/mobs/mobshot.h"

class NormalBullet : public MobShot {
 public:
  static const MobShotTraits kTraits;

  // The bullet of the enemy in slot owner, in shot slot slot, fired at once.
  void Setup(int slot, int owner);
  // Placed and aimed; its time starts; able to hit only when fired within the view.
  void Activate() override;
  // Centred on the owner and aimed at the hero's body; it faces right unless it flies left.
  void Place() override;
  // The bullet has no animation.
  void Animate() override {}
};
