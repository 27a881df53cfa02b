#pragma once
// The rules by which every actor of a stage (the hero, his attack objects, the enemies, the items)
// changes its velocity. Horizontally: mode 1 accelerates by value toward the facing and keeps the
// speed within ± cap; mode 2 the same without the cap; mode 3 is friction (the speed plus value,
// not below 0, with the sign vx had); any other mode sets vx to value. Returns the new vx.
#include <algorithm>
#include <cmath>

inline float NextVelocityX(float vx, float value, int mode, int facing, float cap) {
  switch (mode) {
    case 1:
    case 2:
      vx += facing == 1 ? value : -value;
      return mode == 1 ? std::max(-cap, std::min(vx, cap)) : vx;
    case 3: {
      const float speed = std::max(0.0f, std::fabs(vx) + value);
      return vx < 0 ? -speed : speed;
    }
    default:
      return value;
  }
}

// Vertically: mode 1 adds value and keeps the speed no faster than fallCap downward; any other
// mode sets vy to value. Returns the new vy.
inline float NextVelocityY(float vy, float value, int mode, float fallCap) {
  if (mode != 1) return value;
  vy += value;
  return vy >= fallCap ? fallCap : vy;
}

// Gravity: what an actor adds to its vy (vertical mode 1) every frame it is pulled down. The
// Bomber flies without gravity; its dive falls at MobBomber::kDiveGravity.
namespace Gravity {
// The hero, in every frame but those of a teleport or a weapon change, also while hit.
constexpr float Hero = 0.5f;
// The enemies that walk or jump (the Kedama and the Hopper), and Item::Update, the items' base
// step, which every item kind replaces with its own.
constexpr float EnemiesAndItems = 0.12f;
// The HP and MP items, which pop up and fall back.
constexpr float RecoveryItems = 0.5f;
}  // namespace Gravity
