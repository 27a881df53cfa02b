#pragma once
// The Hopper: rests 30 frames, then jumps, each jump the other way (the first to the right),
// spinning as it rises; from the top of the jump it slams straight down at 25 pixels a frame
// and sends a shock wave out to each side when it lands. Its fall from where it was placed is no
// jump and sends no waves. Once hurt it stays hurt until it stands on the ground again.
#include "act/mobs/mob.h"

class MobHopper : public Mob {
 public:
  // The slam's speed and the spin per rising frame (radians).
  static constexpr float kSlamSpeed = 25;
  static constexpr float kSpin = 0.26f;
  // Rising slower than this the jump goes on; faster (falling) it turns into the slam.
  static constexpr float kSlamFrom = 0.5f;

  MobHopper();
  void Init(int index, int cellX, int cellY) override;
  void Think() override;
  // Frame 2 while hurt, 1 while slamming, else 0.
  void ChooseAnimation() override;
  void ApplyFrame() override;

 protected:
  // Falling does not count as a jump.
  void OnDescent() override {}
  // Every frame on the ground: the first starts the rest (and sends the waves after a jump), a
  // hurt that has run its time ends, and the Hopper stands.
  bool Land() override;
};
