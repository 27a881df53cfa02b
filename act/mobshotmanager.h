#pragma once
// The shots the enemies fire, in a fixed table of slots sized at every stage start.
// (Stand-in until the enemies come: there are no shots, so nothing moves, ends, hits or shows.)

class MobShotManager {
 public:
  // Drops every shot and makes n empty slots (called by the map load with 200).
  void Allocate(int) {}
  void MoveAll() {}
  // Removes the shots whose timer (by index) is done.
  void ExpireAll(int) {}
  // Tests every shot against the hero.
  void HitPlayer() {}
  void DrawAll() {}
};

extern MobShotManager g_MobShotManager;
