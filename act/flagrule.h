#pragma once
// The rule by which every actor of a stage (the hero, his attack objects, the enemies, their
// shots, the items) changes its flag word with SetFlags(bits, op): FlagOp::Set (1) sets the bits,
// FlagOp::Clear (2) clears them, any other op (FlagOp::Replace) replaces the whole word. Returns
// the new word.
#include <cstdint>

// The ops of every SetFlags; plain ints, as the operations take them.
namespace FlagOp {
constexpr int Replace = 0;  // any op but Set and Clear
constexpr int Set = 1;
constexpr int Clear = 2;
}  // namespace FlagOp

inline uint32_t NextFlags(uint32_t flags, uint32_t bits, int op) {
  if (op == FlagOp::Set) return flags | bits;
  if (op == FlagOp::Clear) return flags & ~bits;
  return bits;
}
