#pragma once
// The stage's enemies, one slot per enemy cell of the map (and one spare).
// (Stand-in until the enemies come: the operations that the stage start and the hero's attacks
// call, over slots that the tests fill with a kind, a position and a damage box; every Hit is
// recorded.)
#include <cstdint>
#include <vector>

#include "librarysauce/d3dmath.h"

struct MobStats;

// The block that GetStatus copies out, by status word.
struct MobStatus {
  int32_t index;          // word 0: the slot
  int32_t reserved[11];   // 1-11: always 0
  MobStats* stats;        // 12
  int32_t facing;         // 13
  float x, y;             // 14, 15: top-left in the world
  uint32_t flags;         // 16
  float params[5];        // 17-21
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

  int GetCount() const { return static_cast<int>(slots_.size()); }
  // The slot's kind, 0 when it is empty.
  int GetKind(int i) const;
  // The slot's status block (its position in words 14 and 15); all 0 for an empty slot.
  MobStatus GetStatus(int i) const;
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
