#pragma once
// The slash while crouching: a low cut in front of the hero that can hit from its fourth frame.
// Its sprite is fully transparent: it acts through its hit box and its swing sound.
#include "act/attacks/actobject.h"

class CrouchSlash : public ActObject {
 public:
  void Init() override;
  void Activate() override;
  void Place() override;
  void Animate() override;
};
