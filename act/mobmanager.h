#pragma once
// The stage's enemies, one slot per enemy cell of the map (and one spare).
// (Stand-in: the operations that the stage start calls; the enemies come later.)

class MobManager {
 public:
  // Drops every enemy and makes n empty slots (called by the map load).
  int Resize(int n) {
    (void)n;
    return 0;
  }
  // Creates the map's enemies (called when the stage begins).
  int SpawnFromMap() { return 0; }
};

extern MobManager g_MobManager;
