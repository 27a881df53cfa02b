#pragma once
// An item of an action stage: what the map places on its object layer besides the hero and the
// enemies (recovery items, the switch, the goal, decorations, traps) and the recovery items that
// defeated enemies drop. The item manager (act/items/itemmanager.h) creates, owns and drives them; each
// kind (act/items/itemhp.h and its neighbours) fills in Init and OnTouch and picks its other steps from
// the shared ones here: placement, waking near the hero, the move step against the map, the
// sprite, blinking, the life and blink timers and the touch test against the hero's body.
//
// Sprites: an item's sprite is the item sprite base + its slot. The sprite array belongs to the
// scene and may already be gone when an item is deleted (a stage restart frees the arrays first),
// so destroying an item frees its memory only; its sprite is hidden by an explicit call
// (ReleaseBuffers, Hide) while the array exists.
//
// Coordinates are world pixels (float, y down); the position is the top-left corner of the
// item's frame, and both boxes are offsets from it. Timers count frames of the action scene.
#include <cstdint>
#include <memory>

#include "act/flagrule.h"
#include "act/velocityrule.h"
#include "gameflow/scriptreader.h"
#include "librarysauce/d3dmath.h"
#include "platform/types.h"

class Sprite;

// Bits of an item's flag word.
namespace ItemFlag {
constexpr uint32_t Alive = 0x1;      // cleared by a touch or when the life timer runs out
constexpr uint32_t Airborne = 0x2;   // falling, or past the blink time: the sprite flashes
constexpr uint32_t MapPlaced = 0x4;  // placed by the map: no life or blink timers
}  // namespace ItemFlag

// A box as offsets from the item's position.
struct ItemBox {
  float left, top, right, bottom;
};

// What the common Init gives a kind.
struct ItemTraits {
  int value;
  int texture;  // ActTexture entry
  D3DXVECTOR2 size;
  ItemBox box;     // against the map
  ItemBox hitBox;  // against the hero's body; all 0 is the single point at the top-left
  uint32_t frameCount;
  D3DXVECTOR2 firstFrame;  // frame i's source origin is firstFrame + (32 i, 0)
  D3DXVECTOR2 velocity;
  bool timed;    // life and blink timers from Init; otherwise all four timer words at Init's frame
  float shiftY;  // moved down by this much at Init
};

class Item : public ScriptReader {
 public:
  static constexpr uint32_t kCnnBufferSize = 0xFFFFF;
  static constexpr uint32_t kLifeFrames = 420;
  static constexpr uint32_t kBlinkFrames = 300;
  static constexpr float kMaxVelocity = 15.0f;
  // The timer words of SetTimer and IsTimerDone.
  static constexpr uint32_t kLifeStart = 0, kLifeDuration = 1, kBlinkStart = 2, kBlinkDuration = 3;

  Item();
  // Frees the item's memory; the sprite is left as it is.
  ~Item() override;

  // Reads name + ".cnn" into the item's own buffer; nothing in the game calls it. 0x80004005
  // when the name does not fit its 64-byte path or the file cannot be read.
  virtual HRESULT LoadCnn(const char* name);
  // Sets the kind up in slot index: its values, boxes, frames, timers and sprite (not shown).
  virtual HRESULT Init(int index) = 0;
  // A drop: at world pixel (x, y), alive, with life and blink timers.
  virtual HRESULT PlaceAt(int index, float x, float y);
  // From the map: on cell (tileX, tileY), alive and map-placed (no timers).
  virtual HRESULT PlaceAtTile(int index, int tileX, int tileY);
  // One frame: until the item first comes within reach of the hero only that test runs; then
  // the kind's work (here: Gravity::EnemiesAndItems without moving).
  virtual void Update();
  // The move step against the map's solid cells, then the sprite.
  virtual void Move();
  // The draw step: mirror, restart on a change of flags, tick, StepAnim.
  virtual void Animate(int unused);
  virtual void ResetAnim();
  // Every 5 ticks the next of frames 8 to 11.
  virtual void StepAnim();
  virtual void Hide();
  // What the hero's touch does.
  virtual void OnTouch() = 0;

  // VelocityMode (act/velocityrule.h): Accelerate along the direction within ±15; Push the same
  // without the cap; Friction (a added to the speed, which stops at 0, sign kept); otherwise set.
  void AddVelocityX(float a, int mode);
  // Accelerate: add, then at most the fall speed limit (15); otherwise set.
  void AddVelocityY(float a, int mode);
  // FlagOp (act/flagrule.h): Set sets the bits, Clear clears them, any other mode replaces the
  // whole word.
  void SetFlags(uint32_t mask, int mode);
  uint32_t GetFlags() const { return flags_; }
  void SetDirection(int direction) { direction_ = direction; }
  int GetDirection() const { return direction_; }
  // Centre of the map box in the world.
  D3DXVECTOR2 GetCenter() const;
  // Writes timer word w (kLifeStart ...); a value of 0 stores the current frame instead (the
  // frame-timer rule of act/framerule.h).
  void SetTimer(uint32_t w, uint32_t value);
  // For kLifeStart or kBlinkStart: 1 when start + duration ≤ the current frame (unsigned).
  int IsTimerDone(uint32_t w) const;
  // Once a frame: a dropped item's life runs out (Alive cleared) or it starts blinking.
  void UpdateLifeTimers();
  D3DXVECTOR2 GetSize() const { return size_; }
  D3DXVECTOR2 GetBoxTopLeft() const { return {box_.left, box_.top}; }
  D3DXVECTOR2 GetBoxBottomRight() const { return {box_.right, box_.bottom}; }
  D3DXVECTOR2 GetHitTopLeft() const { return {hitBox_.left, hitBox_.top}; }
  D3DXVECTOR2 GetHitBottomRight() const { return {hitBox_.right, hitBox_.bottom}; }
  int IsActive() const { return active_; }
  // 1 within 854 pixels across and 480 up or down of the hero's position (edges included).
  int IsOnScreen() const;
  // Called on every active frame before the kind's work; does nothing.
  void PreUpdate();
  // Places the sprite by the scroll and shows it inside the view, hides it outside; while the
  // item is airborne the sprite is left to Blink.
  void UpdateSprite();
  // While airborne: the sprite's visibility flips on every third call.
  void Blink();
  // When the touch box overlaps the hero's body (strictly): OnTouch, then Alive cleared. Whether
  // the item is still alive is not asked: a trap hurts on every frame of overlap.
  void CheckTouchPlayer();
  // Hides the sprite (through Hide) and frees the file buffer and the frame table. 0.
  HRESULT ReleaseBuffers();

  // Views for the tests.
  int GetSpriteIndex() const { return spriteIndex_; }
  D3DXVECTOR2 GetPosition() const { return position_; }
  D3DXVECTOR2 GetVelocity() const { return velocity_; }

 protected:
  // The common Init of every kind.
  HRESULT InitKind(int index, const ItemTraits& traits);
  // The common start of every Update: false while the item has not yet come within reach (this
  // frame it only looks).
  bool WakeUp();
  // The map-collision move step; airborneBit: the falling branch sets ItemFlag::Airborne and a
  // landing (or the put-back at the view's bottom) clears it.
  void MoveStep(bool airborneBit);
  // Decorations and traps: the sprite placed by the scroll, shown inside the view.
  void PlaceSprite();
  // The recovery items' draw step: mirror and restart as Animate, then their four-frame loop,
  // Blink, and the tick.
  void AnimateRecovery();
  // The start of both draw steps: the sprite mirrored by the direction (the tick restarts), and
  // the tick and the frame restarted when the flags changed since the last draw.
  void MirrorAndRestart();
  // Frames 1, 2, 3, 0, ... every 5 ticks.
  void StepFourFrames();
  // Shows frame_ of the frame table (a frame outside the table shows nothing new).
  void ShowFrame();
  // The item's sprite in the current array, or null when there is none.
  Sprite* GetSprite() const;

  std::unique_ptr<char[]> cnnBuffer_;
  int index_ = 0;
  int spriteIndex_ = 0;
  uint32_t flags_ = 0;
  int value_ = 0;
  int amount_ = 0;
  int direction_ = 1;
  D3DXVECTOR2 position_ = {0, 0};
  D3DXVECTOR2 size_ = {0, 0};
  ItemBox box_ = {};
  ItemBox hitBox_ = {};
  D3DXVECTOR2 velocity_ = {0, 0};
  D3DXVECTOR2 maxVelocity_ = {0, 0};
  uint32_t blinkTick_ = 0;
  uint32_t animTick_ = 0;
  uint32_t frame_ = 0;
  uint32_t lastFlags_ = 0;
  uint32_t frameCount_ = 0;
  std::unique_ptr<D3DXVECTOR2[]> frameTable_;
  uint32_t timers_[4] = {};  // life start, life duration, blink start, blink duration
  int active_ = 0;
};
