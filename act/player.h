#pragma once
// The hero of an action stage: one global object, g_Player. It holds the status block that other
// objects copy out (position, facing, flags, weapon, teleport charges, the motion parameters of
// both weapons and the stats), the velocity, the animation state, the collision boxes, the
// timers and the combo buffer.
//
// Files: placement, movement and map collision in act/player.cpp; the animation, the blinking
// and the HUD in act/playeranimation.cpp; gauges, damage and recovery in act/playergauge.cpp.
//
// Coordinates are world pixels (float, y down); the position is the top-left corner of the
// hero's 192 × 192 sprite frame. Durations are frames of the action scene's frame counter.
#include <cstdint>
#include <memory>

#include "act/flagrule.h"
#include "act/velocityrule.h"
#include "gameflow/scriptreader.h"
#include "librarysauce/d3dmath.h"
#include "platform/types.h"

class Sprite;

// Bits of the hero's flag word.
namespace PlayerState {
constexpr uint32_t Moving = 0x1;
constexpr uint32_t Airborne = 0x2;
constexpr uint32_t DashReady = 0x4;      // a first tap of a side: a second one dashes
constexpr uint32_t DashAux = 0x8;        // always set together with Dash
constexpr uint32_t DoubleJump = 0x10;
constexpr uint32_t Crouch = 0x20;
constexpr uint32_t Backstep = 0x40;
constexpr uint32_t TeleportAim = 0x80;
constexpr uint32_t Teleporting = 0x100;
constexpr uint32_t GuardStart = 0x200;
constexpr uint32_t Guard = 0x400;
constexpr uint32_t Dash = 0x800;
constexpr uint32_t WeaponChange = 0x1000;  // not reached in play: nothing sets it
constexpr uint32_t Combo1 = 0x2000;
constexpr uint32_t Combo2 = 0x4000;  // not reached in play, as the combo words 2 and 3
constexpr uint32_t Combo3 = 0x8000;  // not reached in play, as the combo words 2 and 3
constexpr uint32_t AirAttack = 0x40000;
constexpr uint32_t CrouchAttack = 0x80000;
constexpr uint32_t HitStun = 0x100000;
constexpr uint32_t Dead = 0x800000;
constexpr uint32_t Invincible = 0x1000000;
}  // namespace PlayerState

// The hero's timers: each number is the index of the timer's start word in the timer block; its
// duration is the word after it.
namespace PlayerTimer {
constexpr int DashTap = 0;       // 12 frames: the window for a second tap
constexpr int TeleportAim = 2;   // 30
constexpr int Teleport = 4;      // 6
constexpr int GuardDelay = 6;    // 10
constexpr int Dash = 8;          // 15
constexpr int HitStun = 10;      // its duration is written at every hit (20)
constexpr int Invincible = 12;   // 60
constexpr int WordCount = 14;
}  // namespace PlayerTimer

// The motion parameters of a weapon, by index (Player::GetMoveParam).
namespace PlayerMoveParam {
constexpr int Accel = 0;      // walking acceleration per frame
constexpr int MaxWalk = 1;    // walking speed cap
constexpr int Friction = 2;   // deceleration (negative)
constexpr int JumpSpeed = 3;  // jump velocity (negative, upward); also the fastest rise
constexpr int DashSpeed = 4;  // dash push; the speed cap while dashing or backstepping
constexpr int BackstepX = 5;  // backstep push (negative: backward)
constexpr int BackstepY = 6;
constexpr int TeleportX = 7;
constexpr int TeleportY = 8;
constexpr int Count = 9;
}  // namespace PlayerMoveParam

// What Player::Recover restores.
namespace RecoverKind {
constexpr int Hp = 1;
constexpr int Mp = 2;
constexpr int Sp = 3;
constexpr int HpFull = 4;
constexpr int MpFull = 5;
constexpr int SpFull = 6;
constexpr int All = 7;
}  // namespace RecoverKind

// The hero's stats, made new by every new game (Player::Init) and kept over stage restarts.
struct PlayerWeaponStats {
  int32_t attack;
  int32_t defence;
  int32_t reserved;       // not read
  int32_t spRefill;       // SP gained per frame
  int32_t mpDrainOffset;  // taken off the MP drain base per frame
};
struct PlayerStats {
  int32_t hp;
  int32_t hpMax;
  int32_t mp;
  int32_t mpMax;
  int32_t sp;
  int32_t spMax;
  PlayerWeaponStats weapon[2];  // 0 the dual swords, 1 the great sword
};
static_assert(sizeof(PlayerStats) == 16 * 4, "the stats are sixteen 32-bit words");

// The status block that Player::GetStatus copies out. The numbers are the status words the
// other objects of the action mode index by; the stats are reached through a typed pointer.
struct PlayerStatus {
  int32_t reserved[17];    // words 0-16: always 0
  PlayerStats* stats;      // word 17: owned by the player (Player::stats_)
  int32_t charges;         // 18: teleport charges
  int32_t maxCharges;      // 19: 3
  int32_t mpDrainBase;     // 20: MP drained per frame before the weapon's offset (10)
  int32_t facing;          // 21: 1 right, 0 left
  float x, y;              // 22, 23: top-left of the 192 × 192 frame
  uint32_t flags;          // 24: PlayerState bits
  int32_t weapon;          // 25: 0 dual swords, 1 great sword
  float moveParams[2][PlayerMoveParam::Count];  // 26-43: by weapon, then PlayerMoveParam
};

// A box relative to the hero's position.
struct PlayerBox {
  float left, top, right, bottom;
};

class Player : public ScriptReader {
 public:
  // The hero's square frame in pixels: his sprite's size and each cell of his sheet. His position
  // is its top-left corner, and his boxes (below) are offsets within it.
  static constexpr float kFrameSize = 192;
  static constexpr int kCellCount = 60;          // animation cells per weapon
  static constexpr int kComboWords = 4;
  static constexpr uint32_t kCnnBufferSize = 0xFFFFF;

  Player();
  ~Player() override;

  // --- data, placement and movement (act/player.cpp) ---
  // Copies the status block into *out and returns out.
  PlayerStatus* GetStatus(PlayerStatus* out) const;
  // The stats record (status word 17); null before the first Init.
  PlayerStats* GetStats() const { return status_.stats; }
  // A new game: new stats, 2 of 3 teleport charges, then PlaceAtStart.
  void Init();
  // Puts the hero at the map's start cell (the first one found column by column), facing right
  // with no motion and no flags, and points the camera at him; the stats are kept. Without a
  // start cell he stands at (128, 128) with the camera at (0, 0).
  void PlaceAtStart();
  // One frame of movement: the velocity applied, the body box pushed out of solid cells, the
  // landing or the fall, the camera following him within its limits, his sprite placed.
  void MoveAndCollide();
  // VelocityMode (act/velocityrule.h): Accelerate toward the facing up to the speed cap; Push
  // the same without the cap; Friction (value added to the speed, which stops at 0, sign kept);
  // otherwise set.
  void SetVelocityX(float value, int mode);
  // Accelerate: add, then keep within JumpSpeed..the fall speed limit; otherwise set.
  void SetVelocityY(float value, int mode);
  D3DXVECTOR2 GetVelocity() const { return velocity_; }
  // FlagOp (act/flagrule.h): Set sets the bits, Clear clears them, any other op replaces the
  // whole word.
  void SetFlags(uint32_t bits, int op);
  uint32_t GetFlags() const { return status_.flags; }
  void SetFacing(int facing) { status_.facing = facing; }
  int GetFacing() const { return status_.facing; }
  void SetWeapon(int weapon) { status_.weapon = weapon; }
  int GetWeapon() const { return status_.weapon; }
  // The current weapon's motion parameter (PlayerMoveParam); 0 for an index outside the table.
  float GetMoveParam(int index) const;
  // Writes word index of the timer block: start, or the current frame when start is 0 (a
  // PlayerTimer number starts that timer; the word after it is its duration). The timers follow
  // the frame-timer rule of act/framerule.h.
  void StartTimer(int index, uint32_t start);
  // 1 when the timer's start + duration ≤ the current frame (unsigned), else 0.
  int IsTimerDone(int index) const;
  void SetBlinkCounter(uint32_t value) { blinkCounter_ = value; }
  uint32_t GetBlinkCounter() const { return blinkCounter_; }
  // The top-left corner of the hero's 192 × 192 frame (status words 22 and 23).
  D3DXVECTOR2 GetPosition() const { return {status_.x, status_.y}; }
  D3DXVECTOR2 GetFrameSize() const { return frameSize_; }
  // The body box (64, 96)-(128, 190): it meets the map, the items and the enemies.
  D3DXVECTOR2 GetBodyTopLeft() const { return {bodyBox_.left, bodyBox_.top}; }
  D3DXVECTOR2 GetBodyBottomRight() const { return {bodyBox_.right, bodyBox_.bottom}; }
  // The damage box (88, 128)-(104, 160) that enemy shots test; callers add 24 to its top while
  // the hero crouches.
  D3DXVECTOR2 GetDamageTopLeft() const { return {damageBox_.left, damageBox_.top}; }
  D3DXVECTOR2 GetDamageBottomRight() const { return {damageBox_.right, damageBox_.bottom}; }
  // The body box's centre in the world.
  D3DXVECTOR2 GetBodyCenter() const;
  // The sprite that shows the hero (the action scene's player slot), or null without one.
  Sprite* PlayerSprite() const;
  // Clears the four combo words.
  void ClearComboBuffer() {
    for (int& word : combo_) word = 0;
  }
  // Frees the stats and the file buffer. Always 0.
  HRESULT Free();
  // Reads name + ".cnn" into a fresh buffer of kCnnBufferSize bytes (the text always ends in a
  // 0). 0x80004005 when the name does not fit its 64-byte path or the file cannot be read.
  HRESULT LoadCnn(const char* name);
  // Does nothing.
  void Reserved(uint32_t a, uint32_t b);

  // --- animation, blinking and HUD (act/playeranimation.cpp) ---
  void UpdateAnimation(int unused);
  void SelectAnimation();
  void StepAnimation();
  void Blink();
  void DrawHud();
  void DrawHpDigits();
  void DrawTeleportIcons();
  void DrawFaceIcon();

  // --- gauges, damage and recovery (act/playergauge.cpp) ---
  void DrainMp();
  void RefillSp();
  int UseTeleportCharge();
  void TeleportWithoutCharge();
  void CheckEnemyContact();
  void CheckShotContact();
  void CheckMobContact();
  void TakeDamage(int damage, int facing, float knockX, float knockY, int nonLethal);
  void Recover(int amount, int kind);

 private:
  friend struct PlayerTestAccess;  // lets the action tests set what no game operation sets

  // The motion parameters of both weapons, as a new game sets them.
  void ResetMoveParams();
  // One pass of the map collision; true when it corrected the position. entryRowT and entryRowB
  // are the rows of the body's top and bottom before the frame's move.
  bool CollidePass(float scrollX, int entryRowT, int entryRowB, bool* landed);

  std::unique_ptr<char[]> fileBuffer_;
  // The stats the status block points at (status_.stats), made by Init and freed by Free.
  std::unique_ptr<PlayerStats> stats_;
  PlayerStatus status_ = {};
  D3DXVECTOR2 velocity_ = {0, 0};
  float speedCapX_ = 0;
  float maxFallSpeed_ = 15.0f;
  uint32_t animTick_ = 0;
  uint32_t animCell_ = 0;
  uint32_t blinkCounter_ = 0;
  uint32_t lastFlags_ = 0;
  D3DXVECTOR2 frameSize_ = {kFrameSize, kFrameSize};
  PlayerBox bodyBox_ = {64, 96, 128, 190};
  PlayerBox damageBox_ = {88, 128, 104, 160};
  D3DXVECTOR2 cells_[2][kCellCount] = {};  // texel origin of each animation cell, by weapon
  uint32_t timers_[PlayerTimer::WordCount] = {};
  int exhausted_ = 0;
  // Words 2 and 3 ask for the second and third combo slash; nothing sets them in play, so those
  // slashes are never started.
  int combo_[kComboWords] = {};
};

extern Player g_Player;
