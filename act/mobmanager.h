#pragma once
// The stage's enemies, one slot per enemy cell of the map (and one spare).
// (Stand-in until the enemies come: every slot is empty, so every question answers 0.)
#include <cstdint>

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
  // Drops every enemy and makes n empty slots (called by the map load).
  int Resize(int) { return 0; }
  // Creates the map's enemies (called when the stage begins).
  int SpawnFromMap() { return 0; }
  int UpdateAll() { return 0; }
  int AnimateAll() { return 0; }
  int RemoveDead() { return 0; }
  int GetCount() const { return 0; }
  int IsActive(int) const { return 0; }
  MobStatus GetStatus(int) const { return MobStatus{}; }
  D3DXVECTOR2 GetVelocity(int) const { return {0, 0}; }
  D3DXVECTOR2 GetSize(int) const { return {0, 0}; }
  // The corners of the mob's hit box, relative to its position.
  D3DXVECTOR2 GetHitBoxTopLeft(int) const { return {0, 0}; }
  D3DXVECTOR2 GetHitBoxBottomRight(int) const { return {0, 0}; }
};

extern MobManager g_MobManager;
