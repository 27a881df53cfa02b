// The hero's blinking, and until his animation comes a minimal animation step: the sheet is
// mirrored by his facing, and a slash's state ends after its 20 frames as its animation would
// end it. The HUD is not drawn yet.
#include "act/player.h"
#include "librarysauce/sprite.h"

namespace {
constexpr uint32_t kSlashFrames = 20;
}  // namespace

void Player::UpdateAnimation(int) {
  Sprite* sprite = PlayerSprite();
  if (sprite && sprite->GetNoMirror() != status_.facing) sprite->SetNoMirror(status_.facing);

  const uint32_t old = lastFlags_;
  lastFlags_ = status_.flags;
  if (lastFlags_ != old) animTick_ = 0;
  animTick_ += 1;
  if (animTick_ < kSlashFrames || (status_.flags & (PlayerState::HitStun | PlayerState::WeaponChange))) return;

  if (status_.flags & PlayerState::Combo1) {
    SetFlags(PlayerState::Combo1, 2);
  } else if (status_.flags & PlayerState::AirAttack) {
    SetFlags(PlayerState::AirAttack, 2);
    SetFlags(PlayerState::Airborne, 1);
  } else if (status_.flags & PlayerState::CrouchAttack) {
    SetFlags(PlayerState::CrouchAttack, 2);
  } else {
    return;
  }
  UpdateAnimation(0);
}

// Every third call flips the hero between shown and hidden.
void Player::Blink() {
  if (blinkCounter_ % 3 == 0) {
    if (Sprite* sprite = PlayerSprite()) {
      SpriteState state;
      sprite->GetState(&state);
      state.visible ? sprite->Hide() : sprite->Show();
    }
  }
  blinkCounter_ += 1;
}

void Player::DrawHud() {}
