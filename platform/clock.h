#pragma once
// The millisecond clock the game reads once a frame: milliseconds since the system started,
// unsigned 32-bit, wrapping, like the Windows multimedia timer. Tests inject their own source.
#include <cstdint>
#include <functional>

namespace platform {

uint32_t GetTimeMs();
void SetTimeSource(std::function<uint32_t()> source);  // empty restores the system clock

}  // namespace platform
