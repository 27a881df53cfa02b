#pragma once
// The third combo slash: a double downward cut that can hit at once and drifts forward. Its
// sprite is fully transparent: it acts through its hit box and its swing sound.
// Not reached in play: nothing sets the hero's combo word 3, which chains it to the second slash.
#include "act/attacks/actobject.h"

class ComboSlash3 : public ActObject {
 public:
  void Init() override;
  void Activate() override;
  void Place() override;
  void Animate() override;
};
