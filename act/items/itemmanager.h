#pragma once
// The stage's items: those the map places on its object layer and those defeated enemies drop.
// One global manager, g_ItemManager: the map load sizes it (every placed item has a slot and at
// least ten stay free for drops), the stage's beginning fills it from the map, and the running
// frame drives it: update, timers, touches and removal, drops, drawing. It owns the items and
// knows each slot's kind; slot n's item draws with the item sprite base + n.
#include <memory>
#include <vector>

#include "act/items/item.h"

// What a slot holds; also the kind a drop asks for (SpawnAt). 2, 3, 5 and 6 are never used.
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
  ItemManager();
  ~ItemManager();

  // Drops every item (their memory only: the sprites went with the previous stage's arrays)
  // and makes n empty slots. Called by the map load at every stage start. 0.
  int Allocate(int n);
  // Places the items of the map's object layer, column by column, in slots 0, 1, 2, ... 0.
  int SpawnFromMap();
  // A drop: a new item of kind at world pixel (x, y), top-left, in the lowest free slot. Another
  // kind, or no free slot, places nothing (the drop is lost). 0.
  int SpawnAt(int kind, float x, float y);
  // The frame's steps, each over the slots in order: every item's Update; its life and blink
  // timers; the touch test (all but decorations); the removal of the recovery items, switches
  // and goals no longer alive (their sprites hidden); every item's draw step.
  int UpdateAll();
  void UpdateTimersAll();
  int CheckTouchAll();
  int RemoveDeadAll();
  // Deletes slot i's item and frees the slot. 0.
  int FreeSlot(int i);
  int DrawAll();
  // Drops every item and all slots. 0.
  int Clear();
  int GetCount() const { return static_cast<int>(items_.size()); }
  // Slot i's kind (ItemKind::Free for a free slot or one outside the table) and item (null).
  int GetKind(int i) const;
  Item* GetItem(int i) const;

 private:
  bool IsSlot(int i) const { return i >= 0 && i < GetCount(); }
  // The item of slot i when its kind is one of kinds, else null.
  Item* ItemOfKind(int i, std::initializer_list<int> kinds) const;
  // Puts a new item of kind into free slot i; false for a kind that makes no item.
  bool Create(int i, int kind);

  std::vector<std::unique_ptr<Item>> items_;
  std::vector<int> kinds_;
};

extern ItemManager g_ItemManager;
