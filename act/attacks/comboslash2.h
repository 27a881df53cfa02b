#pragma once
// The second combo slash: a rising cut that can hit at once and drifts forward and up. Its
// sprite is fully transparent: it acts through its hit box and its swing sound.
// Not reached in play: nothing sets the hero's combo word 2, which chains it to the first slash.
#include "act/attacks/actobject.h"

class ComboSlash2 : public ActObject {
 public:
  void Init() override;
  void Activate() override;
  void Place() override;
  void Animate() override;
};
