#pragma once
// The Bomber: hovers in a circle of about 39 pixels, dives when its middle passes over the
// hero's frame (at any height; from below it first shoots up at 20 pixels a frame), and bursts
// when it reaches the middle third of the hero's frame or lands. It bursts once: from then on it
// is dead, and hits no longer reach it. No gravity acts on it; hurt, it drifts upward.
#include "act/mobs/mob.h"

class MobBomber : public Mob {
 public:
  // The hover's angle step (0.2 / pi radians a frame) and the bound past which it wraps.
  static constexpr double kHoverStep = 0.06366197723675814;
  static constexpr double kHoverWrap = 63661.97723675814;
  static constexpr float kDiveStart = -20;
  static constexpr float kDiveGravity = 1.2f;

  MobBomber();
  void Init(int index, int cellX, int cellY) override;
  void Think() override;
  // Frame 1 while hovering, else 0 (hurt too).
  void ChooseAnimation() override;
  // The hover flaps between frames 0 and 1, a step every fifth tick.
  void ApplyFrame() override;
  bool HasBurst() const override { return burst_; }

 protected:
  // Falling does not count as airborne.
  void OnDescent() override {}
  // A diving Bomber bursts on the ground and its move step ends there; otherwise nothing.
  bool Land() override;

 private:
  // The burst: a burst shot in its place, and the Bomber is dead.
  void Burst();

  bool burst_ = false;
};
