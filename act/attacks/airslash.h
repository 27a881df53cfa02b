#pragma once
// The slash in the air: placed beside the hero every frame, so it follows him and turns with him.
// It can hit from its fourth frame; its sprite is fully transparent.
#include "act/attacks/actobject.h"

class AirSlash : public ActObject {
 public:
  void Init() override;
  void Activate() override;
  void Place() override;
  void Animate() override;
};
