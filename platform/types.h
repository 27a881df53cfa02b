#pragma once
// Plain types shared by the game and the platform layer.
#include <cstdint>

// Result codes: 0 success, negative failure.
using HRESULT = int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);

// Colours are 32-bit ARGB words (alpha in the top byte).
using D3DCOLOR = uint32_t;

inline bool Failed(HRESULT hr) { return hr < 0; }
