#pragma once
// The items' pictures, drawn for artgen_act. Only pure green (0, 255, 0) is transparent.
//   ActItem.bmp (128 × 128): the HP item's four cells of 32 × 32 along y 0 and the MP item's
//     along y 96, each cycling a glint; the MP crystal sits in the lowest ten pixels of its
//     cell, where its touch box is. (The switch and the goal point at cell (0, 0) but are
//     never shown.)
//   ActMapObject.bmp (96 × 64): the decoration, a berry bush of 64 × 64 at (0, 0), standing 5
//     pixels below its cell's top so that its roots reach over the ground's edge; the trap, a
//     row of iron spikes of 32 × 32 at (64, 0), which hurts from its top-left corner.
#include <cmath>

#include "tools/artact_stage.h"
#include "tools/artkit.h"

namespace artact {

namespace items {

constexpr Rgb kRed{206, 40, 52}, kRedDark{132, 20, 36}, kRedLight{255, 128, 136};
constexpr Rgb kBlue{52, 110, 226}, kBlueDark{26, 52, 140}, kBlueLight{150, 200, 255};
constexpr Rgb kGlass{224, 236, 240}, kCork{150, 100, 56}, kWhite{255, 255, 255};
constexpr Rgb kLeaf{52, 120, 48}, kLeafDark{32, 80, 34}, kLeafLight{96, 168, 72}, kBerry{196, 36, 72};
constexpr Rgb kRoot{104, 70, 40}, kSteel{176, 180, 196}, kSteelDark{84, 86, 104}, kRust{120, 70, 44};

// A four-pointed glint whose arms are size pixels long.
inline void Glint(Canvas& c, int x, int y, int size) {
  c.FillRect(x - size, y, 2 * size + 1, 1, kWhite);
  c.FillRect(x, y - size, 1, 2 * size + 1, kWhite);
}

// The HP item: a red potion in a round flask with a cork; cell i moves the glint round it.
inline void HpCell(Canvas& c, int x, int y, int i) {
  c.FillCircle(x + 16, y + 21, 10.5f, kRedDark);
  c.FillCircle(x + 16, y + 21, 9.0f, kRed);
  c.FillCircle(x + 13, y + 18, 3.5f, kRedLight);
  c.FillRect(x + 12, y + 4, 8, 8, kGlass);
  c.FillRect(x + 13, y + 2, 6, 4, kCork);
  c.FillRect(x + 11, y + 30, 10, 2, kRedDark);
  const int glints[4][2] = {{9, 15}, {22, 14}, {23, 25}, {10, 26}};
  Glint(c, x + glints[i][0], y + glints[i][1], i % 2 ? 2 : 3);
}

// The MP item: a blue crystal low in its cell (y 20 to 31); cell i moves its shine.
inline void MpCell(Canvas& c, int x, int y, int i) {
  c.FillTriangle(x + 16, y + 19, x + 8, y + 26, x + 24, y + 26, kBlueDark);
  c.FillTriangle(x + 8, y + 26, x + 24, y + 26, x + 16, y + 32, kBlueDark);
  c.FillTriangle(x + 16, y + 21, x + 10, y + 26, x + 22, y + 26, kBlue);
  c.FillTriangle(x + 10, y + 26, x + 22, y + 26, x + 16, y + 30, kBlue);
  c.FillTriangle(x + 16, y + 21, x + 12, y + 26, x + 16, y + 26, kBlueLight);
  const int shine[4][2] = {{13, 24}, {19, 23}, {19, 28}, {14, 28}};
  Glint(c, x + shine[i][0], y + shine[i][1], 1);
}

inline Canvas ItemSheet() {
  Canvas c(128, 128, kKeyGreen);
  for (int i = 0; i < 4; ++i) {
    HpCell(c, 32 * i, 0, i);
    MpCell(c, 32 * i, 96, i);
  }
  return c;
}

// A bush on roots (x 0 to 63), berries here and there; the roots run down to the picture's last row.
inline void Bush(Canvas& c) {
  for (int i = 0; i < 4; ++i) c.Line(22.0f + 7 * i, 54, 18.0f + 9 * i, 63, 3, kRoot);
  c.FillEllipse(32, 40, 30, 19, kLeafDark);
  c.FillEllipse(21, 36, 16, 14, kLeaf);
  c.FillEllipse(43, 34, 17, 15, kLeaf);
  c.FillEllipse(32, 24, 16, 13, kLeaf);
  c.FillEllipse(28, 19, 7, 5, kLeafLight);
  c.FillEllipse(46, 27, 6, 4, kLeafLight);
  const int shadows[][2] = {{14, 46}, {30, 50}, {47, 47}, {36, 36}, {20, 28}};
  for (const auto& s : shadows) c.FillEllipse(s[0] + 0.5f, s[1] + 0.5f, 5, 3, kLeafDark);
  const int berries[][2] = {{16, 42}, {24, 32}, {38, 44}, {47, 36}, {33, 21}, {53, 46}, {10, 36}};
  for (const auto& b : berries) {
    c.FillCircle(b[0] + 0.5f, b[1] + 0.5f, 2.5f, kBerry);
    c.Set(b[0] - 1, b[1] - 1, kWhite);
  }
}

// Spikes on an iron bar: their points at the top edge, the bar along the bottom.
inline void Spikes(Canvas& c, int x, int y) {
  c.FillRect(x, y + 24, 32, 8, kSteelDark);
  c.FillRect(x, y + 24, 32, 2, kSteel);
  for (int i = 0; i < 4; ++i) {
    const float left = x + 8.0f * i;
    c.FillTriangle(left, y + 24.0f, left + 8, y + 24.0f, left + 4, y + 0.0f, kSteelDark);
    c.FillTriangle(left + 1, y + 24.0f, left + 4, y + 24.0f, left + 4, y + 2.0f, kSteel);
  }
  c.FillRect(x + 3, y + 28, 2, 2, kRust);
  c.FillRect(x + 19, y + 29, 3, 2, kRust);
}

inline Canvas MapObjectSheet() {
  Canvas c(96, 64, kKeyGreen);
  Bush(c);
  Spikes(c, 64, 0);
  return c;
}

}  // namespace items

inline void DrawItemPictures(Pictures* out) {
  out->emplace("ActItem.bmp", items::ItemSheet());
  out->emplace("ActMapObject.bmp", items::MapObjectSheet());
}

}  // namespace artact
