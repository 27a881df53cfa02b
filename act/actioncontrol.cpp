// The hero's control: the logical directions and buttons turn into his state flags, velocities
// and timers, and start his attack and effect objects. The movement step that follows in the
// same frame applies the velocities set here.
#include "act/actionscene.h"
#include "act/attacks/attackeffectmanager.h"
#include "act/player.h"
#include "act/velocityrule.h"
#include "librarysauce/inputmanager.h"
#include "librarysauce/sprite.h"

namespace {

namespace PS = PlayerState;

// The diagonal of a teleport keeps its length.
constexpr float kDiagonal = 0.7071068f;

bool Has(uint32_t bits) { return (g_Player.GetFlags() & bits) != 0; }
void Set(uint32_t bits) { g_Player.SetFlags(bits, FlagOp::Set); }
void Clear(uint32_t bits) { g_Player.SetFlags(bits, FlagOp::Clear); }
float Param(int index) { return g_Player.GetMoveParam(index); }
void ApplyFriction(float value) { g_Player.SetVelocityX(value, VelocityMode::Friction); }
// A third of the ground friction acts in the air.
void AirOrGroundFriction() {
  const float friction = Param(PlayerMoveParam::Friction);
  ApplyFriction(Has(PS::Airborne) ? friction / 3 : friction);
}
bool Held(JoyDirection direction) { return g_Input.IsDirDown(direction) != 0; }
void ShowHero(bool shown) {
  if (Sprite* sprite = g_Player.PlayerSprite()) shown ? sprite->Show() : sprite->Hide();
}

}  // namespace

void ActionScene::ControlPlayer() {
  if (!Has(PS::Teleporting | PS::WeaponChange | PS::HitStun)) {
    g_Player.SetVelocityY(Gravity::Hero, VelocityMode::Accelerate);
    if (Has(PS::TeleportAim)) {
      Teleport();
      ExpireTeleportAim();
    } else {
      HandleDirectionKeys();
      HandleActionButtons();
    }
  } else if (Has(PS::Teleporting)) {
    EndTeleport();
  } else if (Has(PS::HitStun)) {
    g_Player.Blink();
    g_Player.SetVelocityY(Gravity::Hero, VelocityMode::Accelerate);
    ApplyFriction(Param(PlayerMoveParam::Friction) / 15);
    if (g_Player.IsTimerDone(PlayerTimer::HitStun)) {
      // The hero recovers turned round, and cannot be hurt for a while.
      g_Player.SetVelocityY(0, VelocityMode::Assign);
      g_Player.SetVelocityX(0, VelocityMode::Assign);
      g_Player.SetFacing(g_Player.GetFacing() == 1 ? 0 : 1);
      Clear(PS::WeaponChange | PS::Combo1 | PS::Combo2 | PS::Combo3 | PS::AirAttack | PS::CrouchAttack | PS::HitStun);
      Set(PS::Invincible);
      g_Player.StartTimer(PlayerTimer::Invincible, 0);
    }
  }

  if (Has(PS::Invincible)) {
    if (Has(PS::Teleporting))
      ShowHero(false);
    else
      g_Player.Blink();
    if (g_Player.IsTimerDone(PlayerTimer::Invincible)) {
      ShowHero(true);
      Clear(PS::Invincible);
    }
  }
}

void ActionScene::HandleDirectionKeys() {
  if (Has(PS::Dash | PS::DashAux)) EndDash();

  const float friction = Param(PlayerMoveParam::Friction);
  if (Held(JoyDirection::Down)) {
    if (!Has(PS::Dash | PS::Airborne)) {
      Set(PS::Crouch);
      Clear(PS::Moving | PS::DashReady | PS::GuardStart | PS::Guard | PS::Combo1 | PS::Combo2 | PS::Combo3);
      g_Player.ClearComboBuffer();
      ApplyFriction(2 * friction);
    }
  } else if (!Has(PS::CrouchAttack)) {
    Clear(PS::Crouch);
  }

  const bool right = Held(JoyDirection::Right);
  const bool left = Held(JoyDirection::Left);
  if (right)
    WalkStep(JoyDirection::Right);
  else if (left)
    WalkStep(JoyDirection::Left);

  if (!right && !left && !Has(PS::Dash | PS::Backstep)) {
    AirOrGroundFriction();
    Clear(PS::Moving);
  } else if (Has(PS::Crouch | PS::GuardStart | PS::Guard | PS::Combo1 | PS::Combo2 | PS::Combo3) &&
             !Has(PS::Dash | PS::Airborne)) {
    ApplyFriction(friction);
    Clear(PS::Moving);
  }

  if (!right && !left) {
    if (!Has(PS::Airborne)) Clear(PS::Dash | PS::DashAux);
    Clear(PS::Moving);
    ExpireDashReady();
  }
}

void ActionScene::WalkStep(JoyDirection direction) {
  if (Has(PS::Crouch | PS::Backstep | PS::Dash | PS::Combo1 | PS::Combo2 | PS::Combo3)) return;

  const int facing = direction == JoyDirection::Right ? 1 : 0;
  if (g_Player.GetFacing() != facing) {
    Clear(PS::DashReady);
    g_Player.SetVelocityX(0, VelocityMode::Assign);
    g_Player.SetFacing(facing);
    g_AttackEffectManager.SetFacing(AttackKind::AirSlash, facing);
  }

  if (g_Input.IsDirTriggered(direction) && !Has(PS::Dash)) {
    if (Has(PS::DashReady) && !Has(PS::Airborne)) {
      // The second tap on the ground: a dash.
      Clear(PS::Moving | PS::DashReady | PS::GuardStart | PS::Guard);
      Set(PS::Dash | PS::DashAux);
      g_Player.StartTimer(PlayerTimer::Dash, GetFrameCount() + 10);
      g_AttackEffectManager.Fire(AttackKind::DashDust);
    } else {
      Set(PS::DashReady);
      g_Player.StartTimer(PlayerTimer::DashTap, 0);
    }
  }

  if (!Has(PS::Dash)) {
    g_Player.SetVelocityX(Param(PlayerMoveParam::Accel), VelocityMode::Accelerate);
    Set(PS::Moving);
  } else {
    g_Player.SetVelocityX(Param(PlayerMoveParam::DashSpeed), VelocityMode::Push);
  }
}

bool ActionScene::Teleport() {
  const bool up = Held(JoyDirection::Up);
  const bool down = Held(JoyDirection::Down);
  const bool right = Held(JoyDirection::Right);
  const bool left = Held(JoyDirection::Left);
  const bool vertical = up || down;
  const bool horizontal = right || left;

  if (vertical || horizontal) {
    if (g_Player.UseTeleportCharge()) {
      float dx = horizontal ? Param(PlayerMoveParam::TeleportX) : 0;
      float dy = vertical ? Param(PlayerMoveParam::TeleportY) : 0;
      if (vertical) {
        if (horizontal) {
          dx *= kDiagonal;
          dy *= kDiagonal;
          if (!right) dx = -dx;
        }
        if (up) dy = -dy;
        Set(PS::Airborne);
      } else if (!right) {
        dx = -dx;
      }
      g_Player.SetVelocityX(dx, VelocityMode::Assign);
      g_Player.SetVelocityY(dy, VelocityMode::Assign);
      Set(PS::Teleporting);
      Clear(PS::TeleportAim);
      g_Player.StartTimer(PlayerTimer::Teleport, 0);
      ShowHero(false);
      g_AttackEffectManager.Fire(AttackKind::TeleportAfterImage);
    } else {
      Clear(PS::TeleportAim);
      g_Player.TeleportWithoutCharge();
    }
  }

  AirOrGroundFriction();
  Clear(PS::Moving);
  return vertical || horizontal;
}

void ActionScene::HandleActionButtons() {
  if (g_Input.IsButtonTriggered(LogicalButton::Attack)) {
    if (Has(PS::Airborne)) {
      if (!Has(PS::AirAttack)) {
        Set(PS::AirAttack);
        g_AttackEffectManager.Fire(AttackKind::AirSlash);
      }
    } else if (Has(PS::Crouch)) {
      if (!Has(PS::CrouchAttack)) {
        Set(PS::CrouchAttack);
        g_AttackEffectManager.Fire(AttackKind::CrouchSlash);
      }
    } else if (!Has(PS::Combo1)) {
      Clear(~PS::Invincible);
      Set(PS::Combo1);
      g_AttackEffectManager.Fire(AttackKind::ComboSlash1);
    }
  } else if (g_Input.IsButtonTriggered(LogicalButton::Jump)) {
    const float jumpSpeed = Param(PlayerMoveParam::JumpSpeed);
    if (Has(PS::Airborne)) {
      if (!Has(PS::DoubleJump | PS::Backstep)) {
        g_Player.SetVelocityY(jumpSpeed, VelocityMode::Assign);
        Set(PS::DoubleJump);
        Clear(PS::AirAttack);
      }
    } else if (!Has(PS::Crouch) || Has(PS::Dash)) {
      g_Player.SetVelocityY(jumpSpeed, VelocityMode::Assign);
      Clear(PS::GuardStart | PS::Guard | PS::Dash | PS::Combo1 | PS::Combo2 | PS::Combo3);
      g_Player.ClearComboBuffer();
      g_Player.UpdateAnimation(0);
      Set(PS::Airborne);
    } else {
      const JoyDirection ahead = g_Player.GetFacing() == 1 ? JoyDirection::Right : JoyDirection::Left;
      if (Held(ahead)) {
        // Crouching toward the facing: a dash along the ground.
        g_Player.SetVelocityX(Param(PlayerMoveParam::DashSpeed), VelocityMode::Push);
        Set(PS::Dash | PS::DashAux);
        Clear(PS::CrouchAttack);
        g_Player.StartTimer(PlayerTimer::Dash, 0);
        g_AttackEffectManager.Fire(AttackKind::DashDust);
      } else {
        // Otherwise a hop backward.
        g_Player.SetVelocityX(Param(PlayerMoveParam::BackstepX), VelocityMode::Push);
        g_Player.SetVelocityY(Param(PlayerMoveParam::BackstepY), VelocityMode::Assign);
        Set(PS::Airborne | PS::Backstep);
        Clear(PS::CrouchAttack);
      }
    }
  }

  // A Pause press reaching the running hero is dropped, so one made during a fade never pauses.
  g_Input.IsButtonTriggered(LogicalButton::Pause);

  if (g_Input.IsButtonDown(LogicalButton::Guard)) {
    const uint32_t busy = PS::Airborne | PS::Crouch | PS::Backstep | PS::TeleportAim | PS::Teleporting | PS::Dash |
                          PS::WeaponChange | PS::Combo1 | PS::Combo2 | PS::Combo3;
    if (!Has(busy)) {
      if (!Has(PS::GuardStart | PS::Guard)) {
        Set(PS::GuardStart);
        g_Player.StartTimer(PlayerTimer::GuardDelay, 0);
      } else if (g_Player.IsTimerDone(PlayerTimer::GuardDelay)) {
        Set(PS::Guard);
        Clear(PS::GuardStart);
        g_AttackEffectManager.Fire(AttackKind::Guard);
      }
    }
  } else {
    Clear(PS::GuardStart | PS::Guard);
  }

  if (g_Input.IsButtonTriggered(LogicalButton::Teleport)) {
    Set(PS::TeleportAim);
    g_Player.StartTimer(PlayerTimer::TeleportAim, 0);
  }

  // Decide and Cancel share keys with Attack and Jump: their presses are taken here, so a key
  // held on from this frame acts no more.
  g_Input.IsButtonTriggered(LogicalButton::Decide);
  g_Input.IsButtonTriggered(LogicalButton::Cancel);
}

void ActionScene::ExpireDashReady() {
  if (g_Player.IsTimerDone(PlayerTimer::DashTap)) Clear(PS::DashReady);
}

void ActionScene::ExpireTeleportAim() {
  // Only the aim lapses: a teleport that began in this very frame runs on until EndTeleport
  // ends it and shows the hero again.
  if (g_Player.IsTimerDone(PlayerTimer::TeleportAim)) Clear(PS::TeleportAim);
}

void ActionScene::EndTeleport() {
  if (!g_Player.IsTimerDone(PlayerTimer::Teleport)) return;
  Clear(PS::TeleportAim | PS::Teleporting);
  AirOrGroundFriction();
  g_Player.SetVelocityY(0, VelocityMode::Assign);
  ShowHero(true);
}

void ActionScene::EndDash() {
  if (!g_Player.IsTimerDone(PlayerTimer::Dash)) return;
  Clear(PS::Dash);
  if (!Has(PS::Airborne)) Clear(PS::DashAux);
}
