#pragma once
// The dust of a dash: a puff of smoke behind the hero's feet that runs its cells once and hides.
#include "act/attacks/actobject.h"

class DashDust : public ActObject {
 public:
  void Init() override;
  void Activate() override;
  void Place() override;
  void Animate() override;
};
