#pragma once
// The Bomber's burst: an explosion 156 pixels square on the Bomber's middle that stays where it
// was born for 60 frames, running through its seven cells (3 frames each, over and over) and
// flickering, 2 frames shown and 2 hidden. It can hit the hero on any frame of its life and
// always knocks him to the left.
#include "act/mobs/mobshot.h"

class BurstShot : public MobShot {
 public:
  static const MobShotTraits kTraits;

  // The burst of the enemy in slot owner, in shot slot slot, started at once.
  void Setup(int slot, int owner, int direction);
  // The next cell every third frame, back to the first after the seventh.
  void Animate() override;
  // The flicker while visible; hidden otherwise.
  void Draw();
};
