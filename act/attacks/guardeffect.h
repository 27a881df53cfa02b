#pragma once
// The guard effect: a ring of light round the hero's body while he guards. It runs its cells
// once and is fired again on every guarded frame, so it loops as long as the guard lasts. A
// firing while it shows changes nothing, and it keeps the facing it had at the stage start.
#include "act/attacks/actobject.h"

class GuardEffect : public ActObject {
 public:
  void Init() override;
  void Activate() override;
  void Place() override;
  void Animate() override;
};
