#pragma once
// The stage's enemies, one slot per enemy cell of the map (and one spare).
// (Stand-in until the enemies come: slots that the tests fill with a kind, a position and a
// damage box, for the hero's attacks to hit; every Hit is recorded. A filled slot is never
// active, so it neither moves, nor touches the hero, nor dies.)
#include <cstdint>
#include <vector>

#include "librarysauce/d3dmath.h"

// The 26-word block a mob copies out; word numbers in the comments.
struct MobStatus {
  int32_t index;          // 0: the mob's slot
  int32_t reserved[11];   // 1-11: always 0
  int32_t* stats;         // 12: the mob's stats; word 6 is its attack
  int32_t facing;         // 13: 1 right, 0 left
  float x, y;             // 14, 15: top-left of the mob's frame
  uint32_t flags;         // 16
  float params[5];        // 17-21: movement parameters
  int32_t reserved2[4];   // 22-25: always 0
};

class MobManager {
 public:
  // One Hit call: the slot and the attack kind that hit it.
  struct HitCall {
    int slot;
    int attackKind;
  };

  // Drops every enemy and makes n empty slots (called by the map load).
  int Resize(int n);
  // Creates the map's enemies (called when the stage begins).
  int SpawnFromMap() { return 0; }
  int UpdateAll() { return 0; }
  int AnimateAll() { return 0; }
  int RemoveDead() { return 0; }

  int GetCount() const { return static_cast<int>(slots_.size()); }
  // The slot's kind, 0 when it is empty.
  int GetKind(int i) const;
  int IsActive(int) const { return 0; }
  // The slot's status block (its position in words 14 and 15); all 0 for an empty slot.
  MobStatus GetStatus(int i) const;
  D3DXVECTOR2 GetVelocity(int) const { return {0, 0}; }
  D3DXVECTOR2 GetSize(int) const { return {0, 0}; }
  // The corners of the mob's hit box, relative to its position.
  D3DXVECTOR2 GetHitBoxTopLeft(int) const { return {0, 0}; }
  D3DXVECTOR2 GetHitBoxBottomRight(int) const { return {0, 0}; }
  // The corners of the slot's damage box, relative to its position; (0, 0) for an empty slot.
  D3DXVECTOR2 GetBoxCorner2(int i) const;
  D3DXVECTOR2 GetBoxCorner3(int i) const;
  // An attack of this kind hits the enemy in slot i.
  int Hit(int i, int attackKind);

  // --- the stand-in's own ---
  // Fills slot i with an enemy of this kind at (x, y) whose damage box runs from (x, y) +
  // boxTopLeft to (x, y) + boxBottomRight.
  void Put(int i, int kind, D3DXVECTOR2 position, D3DXVECTOR2 boxTopLeft, D3DXVECTOR2 boxBottomRight);
  const std::vector<HitCall>& GetHitCalls() const { return hits_; }

 private:
  struct Slot {
    int kind;
    D3DXVECTOR2 position, boxTopLeft, boxBottomRight;
  };
  // The slot i when it holds an enemy, else null.
  const Slot* Occupied(int i) const;

  std::vector<Slot> slots_;
  std::vector<HitCall> hits_;
};

extern MobManager g_MobManager;
