#pragma once
// The stage's items: those the map places and those defeated enemies drop.
// (Stand-in until the items come: there are none, so the frame's item steps do nothing.)

class ItemManager {
 public:
  // Drops every item and makes n empty slots (called by the map load).
  int Allocate(int) { return 0; }
  // Creates the map's items (called when the stage begins).
  int SpawnFromMap() { return 0; }
  int UpdateAll() { return 0; }
  void UpdateTimersAll() {}
  int CheckTouchAll() { return 0; }
  int RemoveDeadAll() { return 0; }
  int DrawAll() { return 0; }
};

extern ItemManager g_ItemManager;
