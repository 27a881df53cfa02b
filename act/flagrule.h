#pragma once
// The rule by which every actor of a stage (the hero, his attack objects, the enemies, their
// shots) changes its flag word: op 1 sets the bits, op 2 clears them, any other op replaces the
// whole word. Returns the new word.
#include <cstdint>

inline uint32_t NextFlags(uint32_t flags, uint32_t bits, int op) {
  if (op == 1) return flags | bits;
  if (op == 2) return flags & ~bits;
  return bits;
}
