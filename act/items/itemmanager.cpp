#include "act/items/itemmanager.h"

#include <initializer_list>

#include "act/items/itemdecor.h"
#include "act/items/itemgoal.h"
#include "act/items/itemhp.h"
#include "act/items/itemmp.h"
#include "act/items/itemswitch.h"
#include "act/items/itemtrap.h"
#include "act/mapmodel.h"

ItemManager g_ItemManager;

namespace {

constexpr std::initializer_list<int> kAllKinds = {ItemKind::Hp,   ItemKind::Mp,     ItemKind::Decor,
                                                  ItemKind::Trap, ItemKind::Switch, ItemKind::Goal};
// A decoration is never touched.
constexpr std::initializer_list<int> kTouchedKinds = {ItemKind::Hp, ItemKind::Mp, ItemKind::Trap, ItemKind::Switch,
                                                      ItemKind::Goal};
// Decorations and traps stay for the whole stage.
constexpr std::initializer_list<int> kRemovedKinds = {ItemKind::Hp, ItemKind::Mp, ItemKind::Switch, ItemKind::Goal};

// The kind a cell of the object layer places, or ItemKind::Free.
int KindOfCell(int code) {
  switch (code) {
    case ItemCell::Switch: return ItemKind::Switch;
    case ItemCell::Goal: return ItemKind::Goal;
    case ItemCell::Hp: return ItemKind::Hp;
    case ItemCell::Mp: return ItemKind::Mp;
    case ItemCell::Decor: return ItemKind::Decor;
    case ItemCell::Trap: return ItemKind::Trap;
    default: return ItemKind::Free;
  }
}

std::unique_ptr<Item> MakeItem(int kind) {
  switch (kind) {
    case ItemKind::Hp: return std::make_unique<ItemHp>();
    case ItemKind::Mp: return std::make_unique<ItemMp>();
    case ItemKind::Decor: return std::make_unique<ItemDecor>();
    case ItemKind::Trap: return std::make_unique<ItemTrap>();
    case ItemKind::Switch: return std::make_unique<ItemSwitch>();
    case ItemKind::Goal: return std::make_unique<ItemGoal>();
    default: return nullptr;
  }
}

}  // namespace

ItemManager::ItemManager() = default;

ItemManager::~ItemManager() = default;

int ItemManager::Allocate(int n) {
  Clear();
  const size_t count = n > 0 ? static_cast<size_t>(n) : 0;
  items_.resize(count);
  kinds_.assign(count, ItemKind::Free);
  return 0;
}

int ItemManager::Clear() {
  items_.clear();
  kinds_.clear();
  return 0;
}

bool ItemManager::Create(int i, int kind) {
  std::unique_ptr<Item> item = MakeItem(kind);
  if (!item) return false;
  kinds_[static_cast<size_t>(i)] = kind;
  items_[static_cast<size_t>(i)] = std::move(item);
  return true;
}

int ItemManager::SpawnFromMap() {
  const MapHeader header = g_MapModel.GetHeader();
  int next = 0;
  for (uint32_t x = 0; x < header.width; ++x) {
    for (uint32_t y = 0; y < header.height; ++y) {
      if (next >= GetCount()) return 0;
      const int kind = KindOfCell(g_MapModel.CodeAt(static_cast<int>(x), static_cast<int>(y)));
      if (!Create(next, kind)) continue;
      items_[static_cast<size_t>(next)]->PlaceAtTile(next, static_cast<int>(x), static_cast<int>(y));
      next += 1;
    }
  }
  return 0;
}

int ItemManager::SpawnAt(int kind, float x, float y) {
  for (int i = 0; i < GetCount(); ++i) {
    if (kinds_[static_cast<size_t>(i)] != ItemKind::Free) continue;
    if (Create(i, kind)) items_[static_cast<size_t>(i)]->PlaceAt(i, x, y);
    break;
  }
  return 0;
}

Item* ItemManager::ItemOfKind(int i, std::initializer_list<int> kinds) const {
  const int kind = GetKind(i);
  for (int k : kinds)
    if (kind == k) return items_[static_cast<size_t>(i)].get();
  return nullptr;
}

int ItemManager::UpdateAll() {
  for (int i = 0; i < GetCount(); ++i)
    if (Item* item = ItemOfKind(i, kAllKinds)) item->Update();
  return 0;
}

void ItemManager::UpdateTimersAll() {
  for (int i = 0; i < GetCount(); ++i)
    if (Item* item = ItemOfKind(i, kAllKinds)) item->UpdateLifeTimers();
}

int ItemManager::CheckTouchAll() {
  for (int i = 0; i < GetCount(); ++i)
    if (Item* item = ItemOfKind(i, kTouchedKinds)) item->CheckTouchPlayer();
  return 0;
}

int ItemManager::RemoveDeadAll() {
  for (int i = 0; i < GetCount(); ++i) {
    Item* item = ItemOfKind(i, kRemovedKinds);
    if (!item || (item->GetFlags() & ItemFlag::Alive)) continue;
    item->ReleaseBuffers();
    FreeSlot(i);
  }
  return 0;
}

int ItemManager::FreeSlot(int i) {
  if (!IsSlot(i)) return 0;
  items_[static_cast<size_t>(i)].reset();
  kinds_[static_cast<size_t>(i)] = ItemKind::Free;
  return 0;
}

int ItemManager::DrawAll() {
  for (int i = 0; i < GetCount(); ++i)
    if (Item* item = ItemOfKind(i, kAllKinds)) item->Animate(0);
  return 0;
}

int ItemManager::GetKind(int i) const { return IsSlot(i) ? kinds_[static_cast<size_t>(i)] : ItemKind::Free; }

Item* ItemManager::GetItem(int i) const { return IsSlot(i) ? items_[static_cast<size_t>(i)].get() : nullptr; }
