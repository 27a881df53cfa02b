#pragma once
// The Kedama: a ball of fur that walks toward the hero for 180 frames, rests 30, and fires an
// aimed bullet at the end of every walk. Walls and the map's edges turn it round.
#include "act/mobs/mob.h"

class MobKedama : public Mob {
 public:
  MobKedama();
  void Init(int index, int cellX, int cellY) override;
  // The base's walk and rest, with a bullet when a walk ends.
  void Think() override;
  // Frame 5 while hurt, 1 (the walk's first) while walking, else 0.
  void ChooseAnimation() override;
  // The walk cycles frames 1 to 4, a step every fifth tick.
  void ApplyFrame() override;

 protected:
  // Turns round, keeping its speed.
  void StopHorizontal() override;
};
