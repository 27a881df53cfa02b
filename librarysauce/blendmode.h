#pragma once
// The twelve frame-buffer blend settings a sprite can be drawn with. Per channel the result is
// (source × source factor) combined by the operation with (destination × destination factor);
// As/Ad are the source/destination alpha, Cs/Cd the source/destination colour.
#include <cstdint>

enum class BlendMode : int32_t {
  Opaque = 0,             // blending off
  Alpha = 1,              // As, 1 − As: what every scene uses
  DestTimesSrcAlpha = 2,  // 0, As
  DestAlphaMix = 3,       // 1 − Ad, Ad
  DestAlphaOver = 4,      // Ad, 1 − As
  Additive = 5,           // As, 1
  Subtractive = 6,        // As, 1, destination minus source
  Multiply = 7,           // 0, Cs
  DestSquare = 8,         // 0, Cd
  Invert = 9,             // 1 − Cd, 0
  DestColorAdd = 10,      // Cd, 1
  AddOneOne = 11,         // 1, 1
};

constexpr int kBlendModeCount = 12;
