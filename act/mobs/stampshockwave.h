#pragma once
// The Hopper's shock wave: a wave 64 × 32 running along from the Hopper's middle at 10 pixels
// a frame, to the right or to the left, for 8 frames (two cells of 4 frames). A wave that hits
// the hero runs on without hitting again.
#include "act/mobs/mobshot.h"

class StampShockWave : public MobShot {
 public:
  static const MobShotTraits kTraits;

  // The wave of the enemy in slot owner, in shot slot slot, running right (direction 1) or left
  // (0), started at once.
  void Setup(int slot, int owner, int direction);
  // The next cell every fourth frame, starting with the first.
  void Animate() override;
};
