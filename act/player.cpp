#include "act/player.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include "act/actionscene.h"
#include "act/cnnfile.h"
#include "act/flagrule.h"
#include "act/framerule.h"
#include "act/mapmodel.h"
#include "act/solidcells.h"
#include "act/velocityrule.h"
#include "gameflow/scenearrays.h"
#include "librarysauce/sprite.h"

Player g_Player;

namespace {

constexpr float kScreenWidth = MapModel::kScreenWidth;
constexpr float kScreenHeight = MapModel::kScreenHeight;

// Motion parameters by weapon, in PlayerMoveParam order.
constexpr float kMoveParams[2][PlayerMoveParam::Count] = {
    {4.5f, 4.5f, -10.0f, -10.0f, 12.0f, -10.0f, -3.0f, 50.0f, 50.0f},
    {3.5f, 3.5f, -10.0f, -7.5f, 10.0f, -12.0f, -2.3f, 40.0f, 40.0f},
};

// Runs of the hero's sheet (10 × 6 cells of 192 × 192) that the animation cells 0-59 show:
// cells first .. first + count − 1 are the columns col .. col + count − 1 of row.
struct CellRun {
  int first, count, col, row;
};
constexpr CellRun kCellRuns[] = {
    {0, 8, 0, 0},   // idle
    {8, 6, 0, 1},   // walking
    {14, 6, 0, 2},  // unused
    {20, 4, 6, 2},  // in the air: rising, then falling
    {24, 1, 0, 3},  // crouching
    {25, 2, 8, 0},  // backstep
    {27, 2, 1, 3},  // dash
    {29, 1, 9, 4},  // teleport aim
    {30, 1, 0, 0},  // unused
    {31, 1, 8, 4},  // guard
    {32, 1, 0, 0},  // unused
    {33, 1, 0, 0},  // first cell of the weapon change
    {34, 3, 7, 3},  // weapon change
    {37, 1, 8, 1},  // hit stun on the ground
    {38, 1, 9, 1},  // hit stun in the air
    {39, 5, 0, 2},  // combo slash 1
    {44, 4, 0, 4},  // combo slash 2
    {48, 4, 4, 4},  // combo slash 3
    {52, 4, 0, 5},  // crouch slash
    {56, 4, 4, 5},  // air slash
};

}  // namespace

Player::Player() {
  timers_[PlayerTimer::DashTap + 1] = 12;
  timers_[PlayerTimer::TeleportAim + 1] = 30;
  timers_[PlayerTimer::Teleport + 1] = 6;
  timers_[PlayerTimer::GuardDelay + 1] = 10;
  timers_[PlayerTimer::Dash + 1] = 15;
  timers_[PlayerTimer::Invincible + 1] = 60;
  for (auto& weaponCells : cells_) {
    for (const CellRun& run : kCellRuns) {
      for (int i = 0; i < run.count; ++i) {
        weaponCells[run.first + i] = {static_cast<float>(run.col + i) * kFrameSize,
                                      static_cast<float>(run.row) * kFrameSize};
      }
    }
  }
}

Player::~Player() { Free(); }

PlayerStatus* Player::GetStatus(PlayerStatus* out) const {
  if (out) *out = status_;
  return out;
}

HRESULT Player::Free() {
  stats_.reset();
  status_.stats = nullptr;
  fileBuffer_.reset();
  return S_OK;
}

HRESULT Player::LoadCnn(const char* name) { return ReadCnnFile(name, kCnnBufferSize, &fileBuffer_); }

void Player::Reserved(uint32_t, uint32_t) {}

void Player::ResetMoveParams() {
  for (int w = 0; w < 2; ++w)
    for (int i = 0; i < PlayerMoveParam::Count; ++i) status_.moveParams[w][i] = kMoveParams[w][i];
}

void Player::Init() {
  exhausted_ = 0;
  Free();
  status_ = PlayerStatus{};
  // HP, HP max, MP, MP max, SP, SP max; per weapon: attack, defence, reserved, SP refill, MP drain offset.
  stats_ = std::make_unique<PlayerStats>(
      PlayerStats{250, 250, 35000, 35000, 0, 10000, {{10, 10, 5, 8, 7}, {30, 20, 2, 10, 5}}});
  status_.stats = stats_.get();
  status_.maxCharges = 3;
  status_.charges = status_.maxCharges - 1;
  status_.mpDrainBase = 10;
  ResetMoveParams();
  PlaceAtStart();
}

void Player::PlaceAtStart() {
  velocity_ = {0, 0};
  speedCapX_ = 0;
  maxFallSpeed_ = 15.0f;
  animTick_ = animCell_ = lastFlags_ = blinkCounter_ = 0;
  status_.weapon = 0;
  status_.flags = 0;
  status_.facing = 1;
  combo_[0] = combo_[1] = 0;
  status_.x = status_.y = 128.0f;

  D3DXVECTOR2 scroll = {0, 0};
  const MapHeader header = g_MapModel.GetHeader();
  const int width = static_cast<int>(std::min<uint32_t>(header.width, INT32_MAX));
  const int height = static_cast<int>(std::min<uint32_t>(header.height, INT32_MAX));
  bool found = false;
  for (int x = 0; x < width && !found; ++x) {
    for (int y = 0; y < height && !found; ++y) {
      if (g_MapModel.CodeAt(x, y) != MapCell::PlayerStart) continue;
      found = true;
      status_.x = static_cast<float>(x) * header.chipWidth;
      status_.y = static_cast<float>(y) * header.chipHeight;
      scroll.x = std::max(0.0f, status_.x - kScreenWidth / 2);
      scroll.y = std::max(0.0f, status_.y - kScreenHeight / 5);
    }
  }
  g_MapModel.SetScroll(scroll.x, scroll.y);
}

bool Player::CollidePass(float scrollX, int entryRowT, int entryRowB, bool* landed) {
  const MapHeader header = g_MapModel.GetHeader();
  const int cw = header.chipWidth;
  const int ch = header.chipHeight;
  float& x = status_.x;
  float& y = status_.y;
  const PlayerBox& box = bodyBox_;
  int colL = MapModel::CellOf(x + box.left, cw);
  int colR = MapModel::CellOf(x + box.right, cw);
  const int rowT = MapModel::CellOf(y + box.top, ch);
  const int rowB = MapModel::CellOf(y + box.bottom, ch);
  bool corrected = false;
  // Walls are the solid cells of the rows strictly between the body's top and bottom rows. A
  // step longer than a cell (a teleport) can carry the body past the top row of the ground it
  // comes down on, or the bottom row of a ceiling it goes up into: a row entered that way is not
  // a wall, or each pass would push the hero one more cell along it, out over the ledge's end.
  // Steps of a cell or less (walks, jumps, falls) test the same rows as ever.
  int wallTop = rowT;
  int wallBottom = rowB;
  if (rowT >= 0 && rowB >= 0) {
    if (velocity_.y > 0) wallBottom = std::min(rowB, entryRowB + 1);
    if (velocity_.y < 0) wallTop = std::max(rowT, entryRowT - 1);
  }

  if (velocity_.x < 0) {
    if (x < -box.left) {
      x = -box.left;
      velocity_.x = 0;
    }
    if (WallInColumn(colL, wallTop, wallBottom)) {
      x = static_cast<float>(colL + 1) * cw - box.left;
      corrected = true;
    }
  } else if (velocity_.x > 0) {
    const float rightLimit = kScreenWidth - frameSize_.x + box.right;  // 790 past the scroll
    if (x - scrollX > rightLimit) {
      x = scrollX + rightLimit;
      velocity_.x = 0;
    }
    if (WallInColumn(colR, wallTop, wallBottom)) {
      x = static_cast<float>(colR) * cw - box.right - 1;
      corrected = true;
    }
  }
  colL = MapModel::CellOf(x + box.left, cw);
  colR = MapModel::CellOf(x + box.right, cw);

  if (velocity_.y < 0) {
    if (SolidInRow(rowT, colL, colR)) {
      y = static_cast<float>(rowT + 1) * ch - box.top;
      corrected = true;
      if (!(status_.flags & PlayerState::Teleporting)) velocity_.y = 0;
    }
  } else if (velocity_.y > 0) {
    if (rowB >= 1 && SolidInRow(rowB, colL, colR)) {
      y = static_cast<float>(rowB) * ch - box.bottom - 0.5f;
      *landed = true;
      corrected = true;
    }
  }
  return corrected;
}

void Player::MoveAndCollide() {
  const MapHeader header = g_MapModel.GetHeader();
  const D3DXVECTOR2 entryScroll = g_MapModel.GetScroll();
  float& x = status_.x;
  float& y = status_.y;

  bool landed = false;
  const int entryRowT = MapModel::CellOf(y + bodyBox_.top, header.chipHeight);
  const int entryRowB = MapModel::CellOf(y + bodyBox_.bottom, header.chipHeight);
  x += velocity_.x;
  y += velocity_.y;
  if (header.chipWidth > 0 && header.chipHeight > 0) {
    // Each pass pushes the body out by at least a cell or stops it at an edge; the bound ends a
    // body wedged where a correction only undoes itself (against a solid left border).
    const uint64_t maxPasses = uint64_t{header.width} + header.height + 4;
    for (uint64_t pass = 0; pass < maxPasses && CollidePass(entryScroll.x, entryRowT, entryRowB, &landed); ++pass) {
    }
  }

  if (landed) {
    velocity_.y = 0;
    SetFlags(PlayerState::Airborne | PlayerState::DoubleJump | PlayerState::AirAttack, FlagOp::Clear);
    if (status_.flags & PlayerState::Backstep) {
      SetFlags(PlayerState::Backstep, FlagOp::Clear);
      SetVelocityX(GetMoveParam(PlayerMoveParam::Friction), VelocityMode::Friction);
    }
  } else {
    SetFlags(PlayerState::Airborne, FlagOp::Set);
    SetFlags(PlayerState::GuardStart | PlayerState::Guard | PlayerState::Dash | PlayerState::Combo1 |
                 PlayerState::Combo2 | PlayerState::Combo3,
             FlagOp::Clear);
    for (int& word : combo_) word = 0;
  }

  // The camera keeps the hero 331 pixels from the left edge and 96 from the top, within its
  // limits; at the limits the screen's edges hold him.
  const D3DXVECTOR2 maxScroll = g_MapModel.GetMaxScroll();
  float sx = x - kScreenWidth / 2 + frameSize_.x / 2;
  float sy = y - kScreenHeight / 5;
  if (sx <= 0) {
    sx = 0;
    if (x < -bodyBox_.left) {
      x = -bodyBox_.left;
      velocity_.x = 0;
    }
  } else if (sx >= maxScroll.x) {
    sx = maxScroll.x;
    if (x - sx + bodyBox_.right > kScreenWidth) {
      x = kScreenWidth + sx - bodyBox_.right;
      velocity_.x = 0;
    }
  }
  if (sy <= 0) {
    sy = 0;  // the hero may leave the top of the map
  } else if (sy >= maxScroll.y) {
    sy = maxScroll.y;
    if (y >= kScreenHeight + sy - frameSize_.y) {
      y = kScreenHeight + sy - frameSize_.y;
      velocity_.y = 0;
    }
  }

  if (Sprite* sprite = PlayerSprite()) sprite->SetPos(x - sx, y - sy);
  g_MapModel.SetScroll(sx, sy);
}

Sprite* Player::PlayerSprite() const {
  return g_SceneArrays.SpriteAt(g_ActionScene.GetPlayerSpriteSlot());
}

void Player::SetVelocityX(float value, int mode) {
  const uint32_t fast = PlayerState::Dash | PlayerState::Backstep | PlayerState::DashAux;
  speedCapX_ = GetMoveParam(status_.flags & fast ? PlayerMoveParam::DashSpeed : PlayerMoveParam::MaxWalk);
  velocity_.x = NextVelocityX(velocity_.x, value, mode, status_.facing, speedCapX_);
}

void Player::SetVelocityY(float value, int mode) {
  float& vy = velocity_.y;
  vy = NextVelocityY(vy, value, mode, maxFallSpeed_);
  if (mode != 1) return;
  // No faster upward than a jump.
  const float jumpSpeed = GetMoveParam(PlayerMoveParam::JumpSpeed);
  if (jumpSpeed >= vy) vy = jumpSpeed;
}

void Player::SetFlags(uint32_t bits, int op) { status_.flags = NextFlags(status_.flags, bits, op); }

float Player::GetMoveParam(int index) const {
  const int weapon = status_.weapon;
  if (weapon < 0 || weapon > 1 || index < 0 || index >= PlayerMoveParam::Count) return 0.0f;
  return status_.moveParams[weapon][index];
}

void Player::StartTimer(int index, uint32_t start) {
  if (index < 0 || index >= PlayerTimer::WordCount) return;
  timers_[index] = TimerStartAt(start, g_ActionScene.GetFrameCount());
}

int Player::IsTimerDone(int index) const {
  if (index < 0 || index + 1 >= PlayerTimer::WordCount) return 0;
  return TimerDone(timers_[index], timers_[index + 1], g_ActionScene.GetFrameCount()) ? 1 : 0;
}

D3DXVECTOR2 Player::GetBodyCenter() const {
  return {status_.x + (bodyBox_.left + bodyBox_.right) / 2, status_.y + (bodyBox_.top + bodyBox_.bottom) / 2};
}
