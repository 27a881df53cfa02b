#pragma once
// The stage's items: those the map places and those defeated enemies drop.
// (Stand-in: the operations that the stage start calls; the items come later.)

class ItemManager {
 public:
  // Drops every item and makes n empty slots (called by the map load).
  int Allocate(int n) {
    (void)n;
    return 0;
  }
  // Creates the map's items (called when the stage begins).
  int SpawnFromMap() { return 0; }
};

extern ItemManager g_ItemManager;
