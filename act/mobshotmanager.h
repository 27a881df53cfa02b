#pragma once
// The shots the enemies fire, in a fixed table of slots sized at every stage start.
// (Stand-in: the operation that the map load calls; the shots come with the enemies.)

class MobShotManager {
 public:
  // Drops every shot and makes n empty slots (called by the map load with 200).
  void Allocate(int n) { (void)n; }
};

extern MobShotManager g_MobShotManager;
