#include "act/items/itemmapobject.h"

void ItemMapObject::Update() {
  if (!WakeUp()) return;
  PreUpdate();
  Move();
}

void ItemMapObject::Move() { PlaceSprite(); }

void ItemMapObject::Animate(int) {}

void ItemMapObject::ResetAnim() {}

void ItemMapObject::StepAnim() {}

void ItemMapObject::Hide() {}
