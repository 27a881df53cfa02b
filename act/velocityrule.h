#pragma once
// The rules by which every actor of a stage (the hero, his attack objects, the enemies, the items)
// changes its velocity with SetVelocityX/SetVelocityY (AddVelocityX/AddVelocityY for the items)
// and a mode, and the gravity each kind of actor falls by.
#include <algorithm>
#include <cmath>

// The modes of every velocity operation; plain ints, as the operations take them.
namespace VelocityMode {
constexpr int Assign = 0;      // any mode but the three below: the speed := value
constexpr int Accelerate = 1;  // value added (toward the facing across), the speed kept within its cap
constexpr int Push = 2;        // across only: value added toward the facing, no cap
constexpr int Friction = 3;    // across only: value added to the speed, which stops at 0, its sign kept
}  // namespace VelocityMode

// Horizontally: Accelerate adds value toward the facing and keeps the speed within ± cap; Push
// the same without the cap; Friction adds value to the speed (not below 0, with the sign vx
// had); any other mode sets vx to value. Returns the new vx.
inline float NextVelocityX(float vx, float value, int mode, int facing, float cap) {
  switch (mode) {
    case VelocityMode::Accelerate:
    case VelocityMode::Push:
      vx += facing == 1 ? value : -value;
      return mode == VelocityMode::Accelerate ? std::max(-cap, std::min(vx, cap)) : vx;
    case VelocityMode::Friction: {
      const float speed = std::max(0.0f, std::fabs(vx) + value);
      return vx < 0 ? -speed : speed;
    }
    default:
      return value;
  }
}

// Vertically: Accelerate adds value and keeps the speed no faster than fallCap downward; any
// other mode sets vy to value. Returns the new vy.
inline float NextVelocityY(float vy, float value, int mode, float fallCap) {
  if (mode != VelocityMode::Accelerate) return value;
  vy += value;
  return vy >= fallCap ? fallCap : vy;
}

// Gravity: what an actor adds to its vy (VelocityMode::Accelerate) every frame it is pulled down. The
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
