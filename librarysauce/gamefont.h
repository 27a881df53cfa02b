#pragma once
// Stand-in until the fonts land.
#include "platform/types.h"

class GameFont {
 public:
  HRESULT DrawText(const char*, int, int, int, int, D3DCOLOR) { return E_FAIL; }
};

constexpr int kFontSlotCount = 4;
extern GameFont g_Fonts[kFontSlotCount];
