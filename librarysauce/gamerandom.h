#pragma once
// The one random generator of the whole game, the same sequence as the Windows runtime's
// rand/srand: state = state × 214013 + 2531011, value = bits 16 to 30 of the state.
// The data-file scrambler re-seeds it for every file it reads or writes, so the game's other
// random draws follow on from there, as they always have.
#include <cstdint>

constexpr uint32_t kGameRandMultiplier = 214013u;
constexpr uint32_t kGameRandIncrement = 2531011u;

void GameSrand(uint32_t seed);
int GameRand();  // 0 .. 32767
// The state after `draws` values from `seed`, without drawing them (GameSrand it to skip ahead).
uint32_t GameRandStateAfter(uint32_t seed, uint32_t draws);
