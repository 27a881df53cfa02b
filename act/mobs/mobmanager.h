#pragma once
// The stage's enemies, one slot per enemy cell of the map (and one spare). The map load sizes
// the table, the stage's start fills it from the map's enemy cells, the running frame steps,
// animates, hits and cleans the enemies, and the hero, his attacks and the enemies' shots read
// single enemies by slot. Slots are emptied one by one as enemies die and are never refilled
// within a stage.
#include <cstdint>
#include <memory>
#include <vector>

#include "act/mobs/mob.h"
#include "librarysauce/d3dmath.h"

// The kind of enemy in a slot (2 is not used).
namespace MobKind {
constexpr int Empty = 0;
constexpr int Kedama = 1;
constexpr int Hopper = 3;
constexpr int Bomber = 4;
}  // namespace MobKind

class MobManager {
 public:
  MobManager();
  ~MobManager();
  MobManager(const MobManager&) = delete;
  MobManager& operator=(const MobManager&) = delete;

  // Frees every enemy (their sprites are not touched) and both tables; the count becomes 0.
  int Clear();
  // Clear, then n empty slots (called by the map load with the map's enemy slot count).
  int Resize(int n);
  // One enemy per enemy cell of the map's layer 1, column by column from the left and top to
  // bottom within a column, in consecutive slots from 0 (called when the stage begins). A
  // spare cell (34) takes no slot here.
  int SpawnFromMap();
  // Every enemy, in slot order: its think step, then its move step.
  int UpdateAll();
  // Every enemy, in slot order: its animation.
  int AnimateAll();
  // An attack of this kind hits the enemy in slot i (again, also when it is already dead of an
  // earlier hit); an empty slot or an enemy that has burst is not hit.
  int Hit(int i, int attackKind);
  // Every dead enemy is released (its sprite hidden) and its slot emptied.
  int RemoveDead();
  // Frees the enemy of slot i, if any, and empties the slot.
  int Delete(int i);

  int GetCount() const { return count_; }
  // The slot's kind, 0 when it is empty. Every getter answers 0 or (0, 0) for an empty slot or
  // an index outside the table.
  int GetKind(int i) const;
  uint32_t GetFlags(int i) const;
  // Parameter p truncated toward 0 to a whole number.
  float GetParam(int i, int p) const;
  D3DXVECTOR2 GetVelocity(int i) const;
  MobStatus GetStatus(int i) const;
  D3DXVECTOR2 GetSize(int i) const;
  // The corners of the hit box (it meets the map and the hero's body), relative to the position.
  D3DXVECTOR2 GetHitBoxTopLeft(int i) const;
  D3DXVECTOR2 GetHitBoxBottomRight(int i) const;
  // The corners of the damage box (the hero's attacks test it), relative to the position.
  D3DXVECTOR2 GetBoxCorner2(int i) const;
  D3DXVECTOR2 GetBoxCorner3(int i) const;
  // The hit box's centre in the world.
  D3DXVECTOR2 GetCenter(int i) const;
  int IsActive(int i) const;
  // The enemy in slot i, or null. Whoever asks may change it, so a dozing enemy is stepped in
  // full again from then on.
  Mob* GetMob(int i) const;

 private:
  // A pair the enemy of slot i answers, (0, 0) for an empty slot.
  D3DXVECTOR2 Pair(int i, D3DXVECTOR2 (Mob::*get)() const) const;
  // The enemy of slot i to read, or null; a dozing one stays dozing.
  const Mob* Peek(int i) const;

  // An enemy asleep, still and unhurt off the screen (Mob::Dozes) needs nothing of a frame but
  // its wake-up test and the test whether its frame came into view; its move step would only
  // place a hidden sprite and its animation only count a tick. Such a slot dozes: the passes
  // make those two tests on the place and size kept here, leave the enemy itself untouched and
  // say it is asleep and unflagged, and the slot is stepped in full again (its ticks made up)
  // from the frame in which either test holds, or once the enemy is handed out, hit or freed. On
  // a map of tens of thousands of sleeping enemies, reaching into each of them in every pass
  // was most of the frame.
  struct Doze {
    D3DXVECTOR2 position;
    D3DXVECTOR2 size;
    uint32_t since;  // the animation pass after which the enemy dozed
  };
  bool Dozing(int i) const { return dozing_[static_cast<size_t>(i)] != 0; }
  void StartDozing(int i);
  void StopDozing(int i) const;

  int count_ = 0;
  std::vector<std::unique_ptr<Mob>> objects_;
  std::vector<int> kinds_;
  mutable std::vector<uint8_t> dozing_;
  std::vector<Doze> dozes_;
  uint32_t animationPasses_ = 0;
};

extern MobManager g_MobManager;
