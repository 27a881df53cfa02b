#pragma once
// The hero's attack and effect objects, one per attack kind, kept for a whole stage.
// (Stand-in until the attacks come: each kind is only a flag word and a facing. A firing makes
// the kind visible as the real object's activation does, and the end step ends it by the real
// rules, so the control step can be checked against GetFlags and GetFacing.)
#include <cstdint>

// The attack and effect kinds, the index that Fire takes.
namespace AttackKind {
constexpr int ComboSlash1 = 1;
constexpr int ComboSlash2 = 2;
constexpr int ComboSlash3 = 3;
constexpr int AirSlash = 4;
constexpr int DashDust = 5;
constexpr int CrouchSlash = 6;
constexpr int Guard = 7;
constexpr int TeleportAfterImage = 8;
}  // namespace AttackKind

class AttackEffectManager {
 public:
  static constexpr int kCount = 16;
  // Object flags.
  static constexpr uint32_t kVisible = 0x1;
  static constexpr uint32_t kCanHit = 0x2;

  // Empties the table for a new stage (called by the map load).
  void Allocate();
  // Makes the eight objects, all inactive (called when the stage begins).
  void CreateAll();
  // Starts (or restarts) the object of kind 1 to 8; other kinds do nothing.
  void Fire(int kind);
  // Turns a running air slash with the hero; other kinds are not turned.
  void SetFacing(int kind, int facing);
  void MoveAll() {}
  // Ends the objects whose time is up or whose hero state is gone.
  void EndFinished();
  void HitEnemies() {}
  void SyncVisibility() {}
  void AnimateAll() {}
  // 0 outside kinds 1 to 8.
  uint32_t GetFlags(int kind) const;
  int GetFacing(int kind) const;

 private:
  static bool IsKind(int kind) { return kind >= 1 && kind <= 8; }

  uint32_t flags_[kCount] = {};
  int facing_[kCount] = {};
  uint32_t fireFrame_[kCount] = {};
};

extern AttackEffectManager g_AttackEffectManager;
