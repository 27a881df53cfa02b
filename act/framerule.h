#pragma once
// The rule of every frame timer of a stage (the hero's, his attack objects' and the enemies'
// shots', the enemies', the items'): a timer is a start word and a duration word, counted in
// frames of the action scene's frame counter. A start of 0 means now. A timer is done once its
// start + duration ≤ the frame count, in unsigned 32-bit arithmetic (the sum wraps). Each actor
// keeps its own words and bounds and hands the current frame count in.
#include <cstdint>

// The word a timer's start stores: start, or now when start is 0.
inline uint32_t TimerStartAt(uint32_t start, uint32_t now) { return start != 0 ? start : now; }

// True once the timer's time has passed.
inline bool TimerDone(uint32_t start, uint32_t duration, uint32_t now) { return start + duration <= now; }
