#pragma once
// The base of the stage's enemies (the kinds are MobKedama, MobHopper and MobBomber). A mob is
// placed on an enemy cell of the map, sleeps until the hero comes within a screen of it, then
// moves under gravity against the map's solid cells, takes damage from the hero's attacks,
// blinks while hurt, dies and may drop a recovery item. The mob manager creates the mobs, drives
// them once per frame, routes the attacks' hits to them and removes the dead.
//
// The base supplies the defaults, the three frame timers, the velocity and flag operations, the
// move step with its map collision, the sprite's placement and visibility, the animation driver
// and the hit reaction. The kinds give their own Init, Think, ChooseAnimation and ApplyFrame and
// vary the move step through three hooks: what stops a horizontal move, whether falling counts
// as being airborne, and what a landing does.
//
// Coordinates are world pixels (float, y down); the position is the top-left corner of the
// mob's frame and the boxes are offsets from it. Durations are frames of the action scene's
// frame counter. A mob owns its stats, frame table and timers; destroying it frees them and
// never touches its sprite (the sprite array may already be gone): Release hides the sprite.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "act/flagrule.h"
#include "act/velocityrule.h"
#include "gameflow/scriptreader.h"
#include "librarysauce/d3dmath.h"
#include "platform/types.h"

class Sprite;

// Bits of a mob's flag word.
namespace MobFlag {
constexpr uint32_t Moving = 0x1;            // walking (Kedama) or hovering (Bomber)
constexpr uint32_t Airborne = 0x2;
constexpr uint32_t Slam = 0x10;             // the Hopper's plunge from the top of its jump
constexpr uint32_t Grounded = 0x20;         // the Hopper stands
constexpr uint32_t LandingFriction = 0x40;  // the next landing brakes (nothing sets it)
constexpr uint32_t Dive = 0x40000;          // the Bomber's dive
constexpr uint32_t Hurt = 0x100000;
constexpr uint32_t Dead = 0x800000;
}  // namespace MobFlag

// The timers: each number is the index of the timer's start word; its duration is the next word.
namespace MobTimer {
constexpr int Walk = 0;  // 180 frames
constexpr int Rest = 2;  // 30
constexpr int Hurt = 4;  // 25, written by every hit
constexpr int WordCount = 6;
}  // namespace MobTimer

// A mob's stats, made by its Init.
struct MobStats {
  int32_t hp;           // 50
  int32_t unused[5];
  int32_t attack;       // 10: the contact damage and the shots read it
  int32_t word7;        // 10, not read
  int32_t reserved[3];  // 0
};
static_assert(sizeof(MobStats) == 11 * 4, "the stats are eleven 32-bit words");

// The block a mob copies out (Mob::CopyStatus, MobManager::GetStatus), by status word.
struct MobStatus {
  int32_t index;          // word 0: the mob's slot
  int32_t reserved[11];   // 1-11: always 0
  const MobStats* stats;  // 12: the mob's stats, null for an empty slot
  int32_t facing;         // 13: 1 right, 0 left
  float x, y;             // 14, 15: top-left of the mob's frame in the world
  uint32_t flags;         // 16: MobFlag bits
  float params[5];        // 17-21: the movement parameters p0 to p4
  int32_t reserved2[4];   // 22-25: always 0

  // The mob's attack (stats word 6), 0 without stats.
  int32_t GetAttack() const { return stats ? stats->attack : 0; }
};

// A box as offsets from the mob's position.
struct MobBox {
  float left, top, right, bottom;
};

class Mob : public ScriptReader {
 public:
  static constexpr uint32_t kCnnBufferSize = 0xFFFFF;
  // Every hit keeps a mob hurt (and blinking) this many frames.
  static constexpr uint32_t kHurtFrames = 25;

  Mob();
  ~Mob() override;

  // Reads name + ".cnn" into the mob's own buffer; nothing in the game calls it. 0x80004005
  // when the name does not fit or the file cannot be read.
  HRESULT LoadFile(const char* name);
  // New stats, the position of cell (cellX, cellY), the slot and its sprite; each kind sets its
  // own size, boxes and picture.
  virtual void Init(int index, int cellX, int cellY);
  // One frame of behaviour: asleep, only the wake-up test; awake, gravity and the walk: hurt
  // frames brake, a walk of 180 frames toward the hero, a rest of 30.
  virtual void Think();
  // One frame of motion against the map, then the sprite placed; nothing once the mob is dead.
  virtual void Move();
  // Turns the sprite with the mob, picks the animation when the flags change and steps it.
  virtual void UpdateAnimation();
  virtual void ChooseAnimation();
  virtual void ApplyFrame();
  // An attack of this kind hit the mob: its damage, facing and knockback taken; a mob that dies
  // of it hides and may drop an item.
  virtual void OnHit(int attackKind);
  // Hurt for 25 frames (every other flag cleared), turned toward the attacker, knocked back,
  // the hit sound; dead at 0 hit points or fewer.
  virtual void TakeDamage(int damage, int facing, float knockX, float knockY);
  // A roll of GameRand() % 20: 0 drops an MP and an HP item, 1-2 an HP item, 3-4 an MP item,
  // each with its top-left 16 pixels up and left of the frame's centre; 5-19 nothing.
  virtual void DropItem();
  // True once the mob has left the stage by its own burst: hits no longer reach it.
  virtual bool HasBurst() const { return false; }

  // VelocityMode (act/velocityrule.h): Accelerate toward the facing up to the speed cap p1; Push
  // the same without the cap; Friction (value added to the speed, which stops at 0, sign kept);
  // otherwise set.
  void SetVelocityX(float value, int mode);
  // Accelerate: add, no faster downward than the fall cap; otherwise set.
  void SetVelocityY(float value, int mode);
  // FlagOp (act/flagrule.h): Set sets the bits, Clear clears them, any other op replaces the
  // whole word.
  void SetFlags(uint32_t bits, int op);
  uint32_t GetFlags() const { return flags_; }
  void SetFacing(int facing) { facing_ = facing; }
  int GetFacing() const { return facing_; }
  // Parameter p0 to p4; 0 outside.
  float GetParam(int i) const;
  D3DXVECTOR2 GetVelocity() const { return velocity_; }
  D3DXVECTOR2 GetSize() const { return size_; }
  D3DXVECTOR2 GetPosition() const { return position_; }
  // The hit box meets the map and the hero's body; the damage box takes the hero's attacks.
  D3DXVECTOR2 GetHitBoxTopLeft() const { return {hitBox_.left, hitBox_.top}; }
  D3DXVECTOR2 GetHitBoxBottomRight() const { return {hitBox_.right, hitBox_.bottom}; }
  D3DXVECTOR2 GetBoxCorner2() const { return {damageBox_.left, damageBox_.top}; }
  D3DXVECTOR2 GetBoxCorner3() const { return {damageBox_.right, damageBox_.bottom}; }
  // The hit box's centre in the world.
  D3DXVECTOR2 GetCenter() const;
  int IsActive() const { return active_; }
  // Timer word := value, or the current frame when value is 0 (the frame-timer rule of
  // act/framerule.h).
  void SetTimer(int word, uint32_t value);
  // True once the timer's start + duration ≤ the current frame (unsigned).
  bool TimerElapsed(int word) const;
  // True while the mob's position lies within a screen (854 across, 480 up or down) of the
  // hero's position.
  bool InPlayerView() const;
  // Called at the start of every awake Think; does nothing.
  void PreThink() {}
  // The sprite at the position on screen; shown while the frame is in view (blinking while
  // hurt), hidden outside it.
  void UpdateSprite();
  // Every third call flips the sprite's visibility.
  void Blink();
  void HideSprite();
  MobStatus* CopyStatus(MobStatus* out) const;
  // Hides the sprite and frees the buffer, the stats, the frame table and the timers.
  void Release();
  // True while the mob sleeps still and unhurt off the screen, its animation settled: until it
  // wakes or its frame comes into view, a frame changes nothing of it but its animation tick.
  bool Dozes() const;
  // The animation ticks of frames in which the mob dozed and was not stepped.
  void AddAnimationTicks(uint32_t ticks) { animTick_ += ticks; }
  // Does nothing.
  void Reserved(int, int) {}

 protected:
  friend struct MobTestAccess;  // lets the tests and benchmarks set what no game operation sets

  // The mob's sprite in the current array, or null without one.
  Sprite* GetSprite() const;
  // The common steps of every Init: stats, position, slot and sprite, size and boxes; the
  // sprite takes texture (when not negative), source (0, 0), scale 1, the size and the position.
  void InitAt(int index, int cellX, int cellY, int texture, D3DXVECTOR2 size, MobBox hitBox);
  // Asleep: the wake-up test, and false (nothing else happens this frame). Awake: true.
  bool Awake();
  // The walk-and-rest behaviour of Think; true in the frame a walk ends.
  bool ThinkWalk();
  // The sprite's mirror follows the facing (1 = as drawn, facing right).
  void FaceSprite();
  // The frame hurt while hurt, else moving while the flags hold movingFlag, else 0.
  void PickFrame(uint32_t hurt, uint32_t movingFlag, uint32_t moving);
  // Steps the frame through first..last every fifth tick while moving and not hurt, then shows
  // the frame.
  void CycleFrames(uint32_t first, uint32_t last);
  // The sprite's source := the current frame's cell.
  void ShowFrame();

  // Hooks of the move step.
  // A wall, the map's left or right edge: the base stops (vx := 0).
  virtual void StopHorizontal();
  // A downward step: the base counts the mob as airborne.
  virtual void OnDescent();
  // The mob met the floor (vy 0): the base clears Airborne, Slam and Dive and brakes if asked
  // to. False ends the move step at once.
  virtual bool Land();

  std::unique_ptr<char[]> cnnBuffer_;
  int index_ = 0;
  std::unique_ptr<MobStats> stats_;
  int facing_ = 0;
  D3DXVECTOR2 position_ = {0, 0};
  uint32_t flags_ = 0;
  // p0 acceleration (or hover speed), p1 speed cap, p2 not read, p3 the Hopper's jump speed,
  // p4 the friction step.
  float params_[5] = {0.05f, 2.0f, 7.0f, 0.0f, -1.0f};
  double hoverAngle_ = 0;
  D3DXVECTOR2 velocity_ = {0, 0};
  float speedCap_ = 0;
  float maxFall_ = 15.0f;
  float rotation_ = 0;  // radians about z
  int spriteIndex_ = 0;
  uint32_t animTick_ = 0;
  uint32_t frame_ = 0;
  uint32_t blinkTick_ = 0;
  uint32_t lastFlags_ = 0;
  D3DXVECTOR2 size_ = {0, 0};
  MobBox hitBox_ = {0, 0, 0, 0};
  MobBox damageBox_ = {0, 0, 0, 0};
  std::vector<D3DXVECTOR2> frameTable_;  // texel origin of each animation frame
  std::array<uint32_t, MobTimer::WordCount> timers_ = {};
  int active_ = 0;
};
