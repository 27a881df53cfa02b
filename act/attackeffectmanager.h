#pragma once
// The hero's attack and effect objects, one per attack kind, kept for a whole stage.
// (Stand-in: the operations that the stage start calls; the objects come with the attacks.)

class AttackEffectManager {
 public:
  // Empties the table for a new stage (called by the map load).
  void Allocate() {}
  // Makes the eight objects (called when the stage begins).
  void CreateAll() {}
};

extern AttackEffectManager g_AttackEffectManager;
