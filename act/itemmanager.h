#pragma once
// The stage's items: those the map places and those defeated enemies drop.
// (Stand-in until the items come: there are none, so the frame's item steps do nothing; the
// drops of defeated enemies are recorded.)
#include <vector>

// The kind of item in a slot, and what SpawnAt takes (2, 3, 5 and 6 are not used).
namespace ItemKind {
constexpr int Free = 0;
constexpr int Hp = 1;
constexpr int Mp = 4;
constexpr int Decor = 7;
constexpr int Trap = 8;
constexpr int Switch = 9;
constexpr int Goal = 10;
}  // namespace ItemKind

class ItemManager {
 public:
  // One SpawnAt call: the kind and the top-left corner asked for.
  struct SpawnCall {
    int kind;
    float x, y;
  };

  // Drops every item and makes n empty slots (called by the map load).
  int Allocate(int) {
    spawnCalls_.clear();
    return 0;
  }
  // Creates the map's items (called when the stage begins).
  int SpawnFromMap() { return 0; }
  // An item of kind with its top-left corner at world pixel (x, y) (a defeated enemy's drop).
  int SpawnAt(int kind, float x, float y) {
    spawnCalls_.push_back({kind, x, y});
    return 0;
  }
  int UpdateAll() { return 0; }
  void UpdateTimersAll() {}
  int CheckTouchAll() { return 0; }
  int RemoveDeadAll() { return 0; }
  int DrawAll() { return 0; }

  // --- the stand-in's own ---
  const std::vector<SpawnCall>& GetSpawnCalls() const { return spawnCalls_; }

 private:
  std::vector<SpawnCall> spawnCalls_;
};

extern ItemManager g_ItemManager;
