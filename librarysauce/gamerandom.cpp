#include "librarysauce/gamerandom.h"

namespace {
uint32_t g_state = 1;
}

void GameSrand(uint32_t seed) { g_state = seed; }

int GameRand() {
  g_state = g_state * kGameRandMultiplier + kGameRandIncrement;
  return static_cast<int>((g_state >> 16) & 0x7FFF);
}

uint32_t GameRandStateAfter(uint32_t seed, uint32_t draws) {
  // n steps are state × a + c; the steps of 2^k draws are composed by halves.
  uint32_t a = 1, c = 0;                                             // the steps taken so far
  uint32_t stepA = kGameRandMultiplier, stepC = kGameRandIncrement;  // 2^k steps
  while (draws > 0) {
    if (draws & 1) {
      a = a * stepA;
      c = c * stepA + stepC;
    }
    stepC = stepC * stepA + stepC;
    stepA = stepA * stepA;
    draws >>= 1;
  }
  return seed * a + c;
}
