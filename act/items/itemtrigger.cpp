#include "act/items/itemtrigger.h"

#include "act/actgraphics.h"

// value, texture, size, map box, touch box, frames, first frame, velocity, timed, shift down
const ItemTraits ItemTrigger::kTraits = {0, ActTexture::ActItem, {32, 32}, {0, 0, 32, 32}, {0, 0, 32, 32}, 1, {0, 0},
                                         {0, 0}, true, 0};

void ItemTrigger::Update() {
  if (WakeUp()) PreUpdate();
}

void ItemTrigger::Move() {}

void ItemTrigger::Animate(int) {}

void ItemTrigger::ResetAnim() {}

void ItemTrigger::StepAnim() {}
