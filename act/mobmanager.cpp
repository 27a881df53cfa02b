#include "act/mobmanager.h"

#include <cstddef>

MobManager g_MobManager;

int MobManager::Resize(int n) {
  slots_.assign(n > 0 ? static_cast<size_t>(n) : 0, Slot{});
  hits_.clear();
  return 0;
}

const MobManager::Slot* MobManager::Occupied(int i) const {
  if (i < 0 || i >= GetCount() || slots_[static_cast<size_t>(i)].kind == 0) return nullptr;
  return &slots_[static_cast<size_t>(i)];
}

int MobManager::GetKind(int i) const {
  const Slot* slot = Occupied(i);
  return slot ? slot->kind : 0;
}

MobStatus MobManager::GetStatus(int i) const {
  MobStatus status{};
  if (const Slot* slot = Occupied(i)) {
    status.index = i;
    status.x = slot->position.x;
    status.y = slot->position.y;
  }
  return status;
}

D3DXVECTOR2 MobManager::GetBoxCorner2(int i) const {
  const Slot* slot = Occupied(i);
  return slot ? slot->boxTopLeft : D3DXVECTOR2{0, 0};
}

D3DXVECTOR2 MobManager::GetBoxCorner3(int i) const {
  const Slot* slot = Occupied(i);
  return slot ? slot->boxBottomRight : D3DXVECTOR2{0, 0};
}

int MobManager::Hit(int i, int attackKind) {
  if (Occupied(i)) hits_.push_back({i, attackKind});
  return 0;
}

void MobManager::Put(int i, int kind, D3DXVECTOR2 position, D3DXVECTOR2 boxTopLeft, D3DXVECTOR2 boxBottomRight) {
  if (i < 0 || i >= GetCount()) return;
  slots_[static_cast<size_t>(i)] = {kind, position, boxTopLeft, boxBottomRight};
}
