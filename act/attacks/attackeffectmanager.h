#pragma once
// The hero's attacks and action effects: eight objects, one per attack kind, made at every stage
// start and kept for the whole stage. Firing a kind restarts its one object; every frame the
// manager moves the objects, ends those whose time or reason is over, tests the damaging ones
// against the enemies, shows or hides their sprites and animates the active ones. The enemies
// read back the damage, knockback and facing of the kind that hit them.
#include <cstdint>
#include <memory>

#include "librarysauce/d3dmath.h"

class ActObject;

// The attack and effect kinds: the manager's table index and the argument of Fire.
namespace AttackKind {
constexpr int ComboSlash1 = 1;  // first ground slash
constexpr int ComboSlash2 = 2;  // second combo slash (not reached in play: nothing requests it)
constexpr int ComboSlash3 = 3;  // third combo slash (not reached in play: nothing requests it)
constexpr int AirSlash = 4;
constexpr int DashDust = 5;     // dust of a dash or a crouch dash
constexpr int CrouchSlash = 6;
constexpr int Guard = 7;        // the guard effect
constexpr int TeleportAfterImage = 8;
constexpr int First = 1;
constexpr int Last = 8;
}  // namespace AttackKind

class AttackEffectManager {
 public:
  static constexpr int kTableSize = 16;  // entries 1 to 8 hold the objects

  AttackEffectManager();
  ~AttackEffectManager();
  AttackEffectManager(const AttackEffectManager&) = delete;
  AttackEffectManager& operator=(const AttackEffectManager&) = delete;

  // Releases every object and the table; the count becomes 0.
  void Clear();
  // Releases every object and the table, then makes an empty table of count entries (called by
  // the map load at every stage start).
  void Allocate();
  // One fresh, inactive object of each kind at its entry (called when the stage begins).
  void CreateAll();
  // Starts (or restarts) the object of kind 1 to 8; other values do nothing.
  void Fire(int kind);
  // Every object every frame: the air slash is placed beside the hero again (it follows him),
  // the others move by their velocity.
  void MoveAll();
  // Ends the objects whose time is over or whose hero state is gone: the slashes when their
  // timer is done or the hero's flag of the slash is clear, the dust and the after-image when
  // their timer is done, the guard effect when the hero no longer guards.
  void EndFinished();
  // The slashes and the guard effect that can hit test the enemies.
  void HitEnemies();
  // Each object's sprite shown exactly while the object is visible.
  void SyncVisibility();
  // One animation frame of every visible object.
  void AnimateAll();

  // What a hit enemy reads back; 0 or (0, 0) for a kind outside 1 to 8.
  int GetDamage(int kind) const;
  D3DXVECTOR2 GetKnockback(int kind) const;
  int GetFacing(int kind) const;
  // Turns the air slash (kind 4) with the hero; other kinds are left alone.
  void SetFacing(int kind, int facing);
  D3DXVECTOR2 GetPosition(int kind) const;
  D3DXVECTOR2 GetSize(int kind) const;
  uint32_t GetFlags(int kind) const;
  // Takes the can-hit flag from a slash (kinds 1, 2, 3, 4, 6).
  void ClearCanHit(int kind);
  int GetCount() const { return count_; }

 private:
  // The object of kind, or null for a kind outside 1 to 8 or an empty entry.
  ActObject* Object(int kind) const;
  void ReleaseTable();

  int count_ = kTableSize;
  std::unique_ptr<std::unique_ptr<ActObject>[]> table_;
  int tableSize_ = 0;
};

extern AttackEffectManager g_AttackEffectManager;
