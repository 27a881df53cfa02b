#pragma once
// The shots the enemies fire (NormalBullet, StampShockWave, BurstShot), in a fixed table of
// slots sized at every stage start. Enemies ask for a shot of a kind; the running frame moves
// every shot, removes the expired ones, tests them against the hero and draws them. The shot
// in slot s draws with the shot sprite base + s; a free slot's sprite was hidden by the removal
// of its last shot.
#include <memory>
#include <vector>

class ActObject;

// What Spawn takes; a slot records 1, 2 or 4 (both waves of a pair as 2).
namespace MobShotKind {
constexpr int Free = 0;
constexpr int NormalBullet = 1;
constexpr int ShockWave = 2;      // a pair of waves, the right one first
constexpr int ShockWaveLeft = 3;  // one wave running left
constexpr int Burst = 4;
}  // namespace MobShotKind

class MobShotManager {
 public:
  // Slots during a stage.
  static constexpr int kStageSlots = 200;

  MobShotManager();
  ~MobShotManager();
  MobShotManager(const MobShotManager&) = delete;
  MobShotManager& operator=(const MobShotManager&) = delete;

  // Frees every shot (their sprites are not touched) and both tables; the count becomes 0.
  void Clear();
  // Clear, then n free slots (called by the map load with 200 at every stage start).
  void Allocate(int n);
  // A shot of this kind for the enemy in slot owner, in the lowest free slot, set up and
  // started at once; a pair of waves takes the two lowest. A full table, or a kind other than
  // 1 to 4, makes nothing (a table with one free slot gets only the right wave of a pair).
  void Spawn(int kind, int owner);
  // Every shot moves by its velocity within the map's limits, inert ones too.
  void MoveAll();
  // Removes every shot whose timer of this index is done.
  void ExpireAll(int timer);
  // Every shot against the hero, in slot order, in one pass: a bullet that hits is removed, a
  // wave that hits flies on unable to hit again, a burst keeps hitting.
  void HitPlayer();
  // Per frame: the waves and bursts animate; each sprite shows while its shot is visible (the
  // burst flickers).
  void DrawAll();
  int GetCount() const { return count_; }
  // The slot's kind (0 free) and shot (null when free); 0 and null outside the table.
  int GetKind(int slot) const;
  ActObject* GetShot(int slot) const;

 private:
  // The shot of slot s loses its flags, its sprite is hidden, and the slot is freed.
  void Remove(int slot);
  // The sprite shows while the shot is visible; the burst flickers.
  void SyncSprite(int slot);

  int count_ = 0;
  std::vector<std::unique_ptr<ActObject>> shots_;
  std::vector<int> kinds_;
};

extern MobShotManager g_MobShotManager;
