#pragma once
// The after-image of a teleport: the hero's first idle frame from the dual-sword sheet, tinted
// blue and half see-through, left at the point of departure for 12 frames.
#include "act/attacks/actobject.h"

class TeleportAfterImage : public ActObject {
 public:
  void Init() override;
  void Activate() override;
  void Place() override;
  void Animate() override;
};
