#pragma once
// The base of every short-lived object of an action stage that is not an enemy or an item: the
// hero's eight attack and effect kinds (one object each, kept by the attack-effect manager) and
// the enemies' shots. It holds the common record (kind, facing, flags, damage, motion, the hit
// box, timer 0, the animation cells and the sprite), four virtual operations that the kinds
// override (Init, Activate, Place, Animate), and what they share: movement within the map's
// limits, flags and the timer, the sprite's visibility and blinking, and the two hit tests.
//
// Coordinates are world pixels (float, y down); the position is the object's top-left corner
// and the hit box is its centre plus and minus the hit half-extents. Box tests are strict:
// boxes that only touch do not collide. "Now" is the action scene's frame counter.
//
// An object owns its cell table and nothing else: destroying it frees the table and never
// touches its sprite (the sprite array may already be gone when the stage's objects are).
#include <cstdint>
#include <memory>

#include "act/flagrule.h"
#include "act/velocityrule.h"
#include "librarysauce/d3dmath.h"

class Sprite;

// Bits of an object's flag word.
namespace ActObjectFlag {
constexpr uint32_t Visible = 0x1;  // active: drawn, moved on, animated
constexpr uint32_t CanHit = 0x2;   // the next overlap deals damage (and clears this bit)
}  // namespace ActObjectFlag

// The constants an attack or effect kind gives its object at Init.
struct AttackKindData {
  int kind;
  float width, height;  // the sprite's size
  float halfX, halfY;   // hit half-extents
  uint32_t cellCount;   // cell i is (i × width, cellRow)
  float cellRow;
  int power;            // damage = power × the hero's attack
  float knockX, knockY;
  uint32_t life;        // timer 0's duration in frames
};

class ActObject {
 public:
  ActObject();
  virtual ~ActObject();
  ActObject(const ActObject&) = delete;
  ActObject& operator=(const ActObject&) = delete;

  // Slot 0: the defaults of a kind 1 object (64 × 32, three cells, a 24-frame timer).
  virtual void Init();
  // Slot 1: Place, then visible and able to hit.
  virtual void Activate();
  // Slot 2: beside the hero, 16 pixels past the middle of his frame on the side he faces.
  virtual void Place();
  // Slot 3: the cell moves on three calls out of four and stops at the last one.
  virtual void Animate();

  // One frame of motion: the velocity applied, the map's left, right and bottom limits kept
  // (there is none at the top), the sprite placed on screen.
  void Move();
  // FlagOp (act/flagrule.h): Set sets the bits, Clear clears them, any other op replaces the
  // whole word.
  void SetFlags(uint32_t bits, int op);
  uint32_t GetFlags() const { return flags_; }
  void SetFacing(int facing) { facing_ = facing; }
  int GetFacing() const { return facing_; }
  D3DXVECTOR2 GetPosition() const { return position_; }
  D3DXVECTOR2 GetSize() const { return size_; }
  D3DXVECTOR2 GetKnockback() const { return knockback_; }
  int GetDamage() const { return damage_; }
  // VelocityMode (act/velocityrule.h): Accelerate toward the facing, then keep within ± the x
  // cap; Push the same without the cap; Friction (the speed plus value, not below 0, sign kept);
  // otherwise set.
  void SetVelocityX(float value, int mode);
  // Accelerate: add, then no faster than the y cap downward; otherwise set.
  void SetVelocityY(float value, int mode);
  // Timer 0 (the only one) starts now; other indexes do nothing (the frame-timer rule of
  // act/framerule.h).
  void StartTimer(int index);
  // 1 once timer 0's start + duration ≤ now (unsigned); 0 for other indexes.
  int IsTimerDone(int index) const;
  // The sprite shown exactly while the object is visible.
  void SyncVisibility();
  void SyncVisibility2();
  // On an even count the sprite's visibility flips; the count then grows.
  void Blink();
  // The hero hit when his damage box (its top 24 lower while he crouches) overlaps the object's
  // box and the object can hit. 1 on a hit; the flags are left as they are.
  int HitPlayer();
  // Every enemy whose damage box overlaps the object's box is hit; after a call that hit any,
  // the object cannot hit again until its can-hit flag is set anew.
  void HitEnemies();
  // Frees the cell table. Always 0.
  int FreeCells();
  // Does nothing.
  void Reserved();

 protected:
  // The object's sprite in the current array, or null without one.
  Sprite* GetSprite() const;
  // A fresh table of count cells (i × width, row).
  void MakeCells(uint32_t count, float width, float row);
  // The object at (x, y); its sprite mirrored by the object's facing and put on screen.
  void PlaceAt(float x, float y);
  // The sprite's source := the current cell.
  void ShowCell();

  // Steps the attack and effect kinds share.
  // Init: the kind's constants, facing the hero's way, inert.
  void InitKind(const AttackKindData& data);
  // Activate of a slash: the hero's facing and damage, placed, the flags given, timer 0 and the
  // animation restarted, the swing sound stopped and rewound (it sounds when the blade swings).
  void ActivateSlash(int sound, uint32_t flags);
  // Activate of a harmless effect with a timer: facing, placed, visible, timer 0 and the
  // animation restarted.
  void ActivateEffect();
  // Animate of a slash that can hit only from its fourth frame, when its sound plays.
  void AnimateSwing(int sound);
  // Animate of a slash whose cells run 1 to the last, a step every 4 frames, sounding on cell 2.
  void AnimateCells(int sound);
  // Animate of an effect that runs its cells once: at the end it stays on the last cell and
  // clears its flags.
  void AnimateOnce();

  int kind_ = 1;
  int facing_ = 0;  // 1 right, 0 left; also the sprite's no-mirror flag
  uint32_t flags_ = 0;
  int power_ = 0;
  int damage_ = 0;
  float speed_ = 0;
  D3DXVECTOR2 velocity_ = {0, 0};
  D3DXVECTOR2 knockback_ = {0, 0};
  D3DXVECTOR2 speedCaps_ = {0, 0};
  double aimAngle_ = 0;
  D3DXVECTOR2 position_ = {0, 0};
  D3DXVECTOR2 size_ = {0, 0};
  D3DXVECTOR2 hitHalf_ = {0, 0};
  uint32_t timerStart_ = 0;
  uint32_t timerDuration_ = 0;
  uint32_t cellCount_ = 0;
  std::unique_ptr<D3DXVECTOR2[]> cells_;  // {u, v} texel origin of each cell
  uint32_t tick_ = 0;
  uint32_t cell_ = 0;
  uint32_t blinkCounter_ = 0;
  uint32_t sprite_ = 0;  // index in g_Sprites
};

// Made and destroyed with the program; nothing uses it.
extern ActObject g_StaticActObject;
