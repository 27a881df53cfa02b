#include "act/itemtrigger.h"

void ItemTrigger::Update() {
  if (WakeUp()) PreUpdate();
}

void ItemTrigger::Move() {}

void ItemTrigger::Animate(int) {}

void ItemTrigger::ResetAnim() {}

void ItemTrigger::StepAnim() {}
