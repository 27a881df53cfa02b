// The hero's animation, his blinking and the HUD. The hero's sprite shows one 192 × 192 cell of his sheet: the
// state flags choose the first cell of an animation, each state steps at its own rate, and the
// end of an attack animation drops the attack's flag (which ends the attack object) and may
// chain the next combo slash. The HUD shows the HP, SP and MP gauges, the HP and its maximum in
// digits, the teleport charges and the face; its layout is HudLayout (act/actgraphics.h).
#include <cstdint>

#include "act/actgraphics.h"
#include "act/actionscene.h"
#include "act/attacks/attackeffectmanager.h"
#include "act/mapmodel.h"
#include "act/player.h"
#include "gameflow/scenearrays.h"
#include "gameflow/scenesprite.h"
#include "librarysauce/sprite.h"

namespace {

// First cells of the animations.
namespace Cell {
constexpr uint32_t Idle = 0, IdleLast = 3;
constexpr uint32_t Walk = 8, WalkLast = 13;
constexpr uint32_t Rise = 20, RiseLast = 21, Fall = 22, FallLast = 23;
constexpr uint32_t Crouch = 24;
constexpr uint32_t Backstep = 25, BackstepLast = 26;
constexpr uint32_t Dash = 27, DashLast = 28;
constexpr uint32_t TeleportAim = 29;
constexpr uint32_t Guard = 31;
constexpr uint32_t WeaponChange = 33, WeaponChangeLast = 36;
constexpr uint32_t HitGround = 37, HitAir = 38;
constexpr uint32_t Combo1 = 39, Combo1Last = 43;
constexpr uint32_t Combo2 = 44, Combo2Last = 47;
constexpr uint32_t Combo3 = 48, Combo3Last = 51;
constexpr uint32_t CrouchSlash = 52, CrouchSlashLast = 55;
constexpr uint32_t AirSlash = 56, AirSlashLast = 59;
}  // namespace Cell

// The share of a gauge that is full, kept within 0 to 1 (a hero below 0 HP shows an empty
// gauge, not one of negative width; a gauge without a maximum is empty).
float GaugeRatio(int value, int maximum) {
  if (maximum <= 0) return 0;
  const float ratio = static_cast<float>(value) / static_cast<float>(maximum);
  if (!(ratio > 0)) return 0;
  return ratio > 1 ? 1 : ratio;
}

// The gauge's sprite exists only with the stage's texture table beside it.
void SetGauge(int sprite, int texture, float fullWidth, int value, int maximum) {
  if (Sprite* s = g_SceneArrays.SpriteAt(sprite))
    s->SetSize(fullWidth * GaugeRatio(value, maximum), TextureHeight(texture));
}

// Four digits of value on sprites first to first + 3; leading zeros and every digit of a value
// below 1 hidden.
void SetDigits(int first, int value) {
  int power = 1000;
  for (int i = 0; i < HudLayout::DigitsPerValue; ++i, power /= 10) {
    Sprite* s = g_SceneArrays.SpriteAt(first + i);
    if (!s) continue;
    const int digit = i == 0 ? value / 1000 : value / power % 10;
    s->SetSrcX(HudLayout::DigitWidth * static_cast<float>(digit));
    if (value / power >= 1)
      s->Show();
    else
      s->Hide();
  }
}

}  // namespace

void Player::UpdateAnimation(int) {
  if (Sprite* sprite = PlayerSprite()) {
    if (status_.facing != sprite->GetNoMirror()) {
      // A turn restarts the animation's tick, except during an air slash, which keeps its time.
      const bool airSlash = (status_.flags & PlayerState::AirAttack) && !(status_.flags & PlayerState::HitStun);
      if (!airSlash) animTick_ = 0;
      sprite->SetNoMirror(status_.facing);
    }
  }
  const uint32_t old = lastFlags_;
  lastFlags_ = status_.flags;
  if (lastFlags_ != old) {
    // An air slash survives other flag changes.
    if (!((old & PlayerState::AirAttack) && (lastFlags_ & PlayerState::AirAttack))) SelectAnimation();
    animTick_ = 0;
  }
  animTick_ += 1;
  StepAnimation();
}

void Player::SelectAnimation() {
  using namespace PlayerState;
  const uint32_t f = lastFlags_;
  if (f & HitStun)
    animCell_ = f & Airborne ? Cell::HitAir : Cell::HitGround;
  else if (f & WeaponChange)
    animCell_ = Cell::WeaponChange;
  else if (f & Combo1)
    animCell_ = Cell::Combo1;
  else if (f & Combo2)
    animCell_ = Cell::Combo2;
  else if (f & Combo3)
    animCell_ = Cell::Combo3;
  else if (f & AirAttack)
    animCell_ = Cell::AirSlash;
  else if (f & CrouchAttack)
    animCell_ = Cell::CrouchSlash;
  else if (f & Dash)
    animCell_ = Cell::Dash;
  else if (f & Backstep)
    animCell_ = Cell::Backstep;
  else if (f & TeleportAim)
    animCell_ = Cell::TeleportAim;
  else if (f & Airborne)
    animCell_ = Cell::Rise;
  else if (f & Crouch)
    animCell_ = Cell::Crouch;
  else if (f & (GuardStart | Guard))
    animCell_ = Cell::Guard;
  else if (f & Moving)
    animCell_ = Cell::Walk;
  else
    animCell_ = Cell::Idle;
}

void Player::StepAnimation() {
  using namespace PlayerState;
  const uint32_t f = lastFlags_;
  // One step every n ticks; true when the cell has passed last.
  auto step = [this](uint32_t n, uint32_t last) {
    if (animTick_ % n == 0) animCell_ += 1;
    return animCell_ > last;
  };
  if (f & HitStun) {
    // The cell stays.
  } else if (f & WeaponChange) {
    if (step(5, Cell::WeaponChangeLast)) {
      SetWeapon(GetWeapon() == 0 ? 1 : 0);
      SetFlags(WeaponChange, FlagOp::Clear);
      if (Sprite* sprite = PlayerSprite()) sprite->Hide();
      g_ActionScene.SetPlayerSpriteSlot(ActSprite::HeroDualSword + GetWeapon());
      if (Sprite* sprite = PlayerSprite()) {
        const D3DXVECTOR2 scroll = g_MapModel.GetScroll();
        sprite->SetPos(status_.x - scroll.x, status_.y - scroll.y);
        sprite->Show();
      }
      UpdateAnimation(0);
    }
  } else if (f & Combo1) {
    if (step(4, Cell::Combo1Last)) {
      SetFlags(Combo1, FlagOp::Clear);
      UpdateAnimation(0);
      if (combo_[2] != 0) {
        SetFlags(Combo2, FlagOp::Set);
        g_AttackEffectManager.Fire(AttackKind::ComboSlash2);
        combo_[2] = 0;
        combo_[1] = 1;
      }
      combo_[0] = 0;
      UpdateAnimation(0);
    }
  } else if (f & Combo2) {
    if (step(5, Cell::Combo2Last)) {
      SetFlags(Combo2, FlagOp::Clear);
      UpdateAnimation(0);
      if (combo_[3] != 0) {
        g_AttackEffectManager.Fire(AttackKind::ComboSlash3);
        SetFlags(Combo3, FlagOp::Set);
        combo_[3] = 0;
      }
      combo_[1] = 0;
      UpdateAnimation(0);
    }
  } else if (f & Combo3) {
    if (step(5, Cell::Combo3Last)) {
      SetFlags(Combo3, FlagOp::Clear);
      UpdateAnimation(0);
    }
  } else if (f & AirAttack) {
    if (step(5, Cell::AirSlashLast)) {
      // Back to the air animation from its first cell.
      SetFlags(AirAttack, FlagOp::Clear);
      UpdateAnimation(0);
      SetFlags(Airborne, FlagOp::Clear);
      UpdateAnimation(0);
      SetFlags(Airborne, FlagOp::Set);
      UpdateAnimation(0);
    }
  } else if (f & CrouchAttack) {
    if (step(5, Cell::CrouchSlashLast)) {
      SetFlags(CrouchAttack, FlagOp::Clear);
      UpdateAnimation(0);
      SetFlags(Crouch, FlagOp::Clear);
      UpdateAnimation(0);
      SetFlags(Crouch, FlagOp::Set);
      UpdateAnimation(0);
    }
  } else if (f & Dash) {
    if (step(5, Cell::DashLast)) animCell_ = Cell::Dash;
  } else if (f & Backstep) {
    if (step(5, Cell::BackstepLast)) animCell_ = Cell::Backstep;
  } else if (f & Crouch) {
    // The cell stays.
  } else if (f & Airborne) {
    if (velocity_.y < 0) {
      if (step(5, Cell::RiseLast)) animCell_ = Cell::Rise;
    } else {
      // Falling: from the rising cells straight to the first falling cell.
      const bool fallLoop = step(5, Cell::FallLast);
      if (animCell_ == Cell::Rise || animCell_ == Cell::RiseLast) {
        animCell_ = Cell::Fall;
        animTick_ = 0;
      } else if (fallLoop) {
        animCell_ = Cell::Fall;
      }
    }
  } else if (f & (TeleportAim | GuardStart | Guard)) {
    // The cell stays.
  } else if (f & Moving) {
    if (step(5, Cell::WalkLast)) animCell_ = Cell::Walk;
  } else {
    if (step(15, Cell::IdleLast)) animCell_ = Cell::Idle;
  }

  const int weapon = GetWeapon() == 1 ? 1 : 0;
  Sprite* sprite = PlayerSprite();
  if (sprite && animCell_ < static_cast<uint32_t>(kCellCount))
    sprite->SetSrcPos(cells_[weapon][animCell_].x, cells_[weapon][animCell_].y);
}

// Every third call flips the hero between shown and hidden.
void Player::Blink() { BlinkStep(PlayerSprite(), &blinkCounter_, 3); }

void Player::DrawHud() {
  const PlayerStats* stats = status_.stats;
  if (!stats) return;
  SetGauge(ActSprite::GaugeHp, ActTexture::GaugeHp, HudLayout::HpWidth, stats->hp, stats->hpMax);
  SetGauge(ActSprite::GaugeSp, ActTexture::GaugeSp, HudLayout::SpWidth, stats->sp, stats->spMax);
  SetGauge(ActSprite::GaugeMp, ActTexture::GaugeMp, HudLayout::MpWidth, stats->mp, stats->mpMax);
  DrawHpDigits();
  DrawTeleportIcons();
  DrawFaceIcon();
}

void Player::DrawHpDigits() {
  const PlayerStats* stats = status_.stats;
  if (!stats) return;
  SetDigits(ActSprite::Digits, stats->hp);
  SetDigits(ActSprite::Digits + HudLayout::SeparatorSprite + 1, stats->hpMax);  // past the separator
}

void Player::DrawTeleportIcons() {
  for (int i = 0; i < HudLayout::TeleportIcons; ++i) {
    Sprite* s = g_SceneArrays.SpriteAt(ActSprite::TeleportIcon + i);
    if (!s) continue;
    if (i < status_.charges)
      s->Show();
    else
      s->Hide();
  }
}

void Player::DrawFaceIcon() {
  Sprite* s = g_SceneArrays.SpriteAt(ActSprite::FaceIcon);
  if (!s) return;
  if (status_.flags & PlayerState::HitStun)
    s->SetSrcPos(HudLayout::FaceSize, 0);
  else if (exhausted_)
    s->SetSrcPos(0, HudLayout::FaceSize);
  else
    s->SetSrcPos(0, 0);
}
