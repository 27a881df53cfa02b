#pragma once
// The enemies and their shots, drawn for artgen_act. Only pure green (0, 255, 0) is
// transparent, every shape meets it with a hard edge, and every figure faces right.
//   "Mob_Kedama.bmp" (256 × 128, 64-pixel cells): a ball of brown fur on two small feet. Row 0:
//     the four steps of its walk (the first doubles as standing still); (0, 64): hurt, eyes
//     screwed shut and fur on end. The feet stand on row 62 of the cell.
//   "Mob_Hopper.bmp" (256 × 64): a purple spring-legged hopper inside (13, 2)-(50, 42) of each
//     cell, nothing below row 42: (0, 0) standing, (64, 0) crouched, (128, 0) the slam (head
//     down, legs drawn up), (192, 0) hurt.
//   "Mob_Bomber.bmp" (96 × 48): a winged bomb with a lit fuse, two 48-pixel cells: wings up,
//     wings down.
//   "ME_NormalBullet.bmp" (16 × 16): a glowing orb, the same every way round.
//   "ME_StampShockWave.bmp" (128 × 32): two 64 × 32 cells of a wave of earth running right,
//     low, then high.
//   "ME_Burst.bmp" (624 × 312): seven 156-pixel cells, four a row, of an explosion swelling and
//     breaking into smoke, each symmetric about its middle column so that it reads the same
//     mirrored; the eighth place stays empty.
#include <cmath>

#include "tools/artact_stage.h"
#include "tools/artkit.h"

namespace artact {

namespace mobs {

constexpr Rgb kInk{34, 24, 20};
constexpr Rgb kWhite{250, 250, 246};
constexpr Rgb kFur{186, 128, 72}, kFurDark{128, 80, 40}, kFurLight{224, 176, 116};
constexpr Rgb kHopper{132, 86, 176}, kHopperDark{82, 48, 118}, kBelly{214, 188, 232};
constexpr Rgb kBomb{58, 60, 78}, kBombLight{124, 128, 158}, kWing{226, 228, 244}, kFuse{150, 110, 70};
constexpr Rgb kSpark{255, 214, 64}, kFlame{255, 140, 40}, kFire{226, 56, 30}, kCore{255, 250, 210};
constexpr Rgb kSmoke{120, 112, 110}, kSmokeLight{170, 162, 158};
constexpr Rgb kEarth{164, 120, 70}, kEarthLight{222, 190, 130};
constexpr float kPi = 3.14159265f;

// An eye looking right: white with the pupil toward the front.
inline void Eye(Canvas& c, float x, float y, float r) {
  c.FillCircle(x, y, r + 1, kInk);
  c.FillCircle(x, y, r, kWhite);
  c.FillCircle(x + r * 0.4f, y, r * 0.55f, kInk);
}

// An eye screwed shut: a ">" of two strokes.
inline void ShutEye(Canvas& c, float x, float y, float r) {
  c.Line(x - r, y - r, x + r, y, 2, kInk);
  c.Line(x - r, y + r, x + r, y, 2, kInk);
}

// One Kedama in the cell at (x, y): body centre lifted by bob, feet apart by step, fur on end
// when hurt.
inline void Kedama(Canvas& c, int x, int y, float bob, float step, bool hurt) {
  const float cx = x + 32.0f, cy = y + 34.0f - bob, r = 21;
  // Feet on row 62.
  c.FillEllipse(cx - 8 - step, y + 59.5f, 7, 3.5f, kInk);
  c.FillEllipse(cx + 8 + step, y + 59.5f, 7, 3.5f, kInk);
  // Tufts of fur round the body.
  const int tufts = 14;
  const float spike = hurt ? 8 : 5;
  for (int t = 0; t < tufts; ++t) {
    const float a = 2 * kPi * t / tufts, a0 = a - 0.22f, a1 = a + 0.22f;
    c.FillTriangle(cx + r * std::cos(a0), cy + r * std::sin(a0), cx + (r + spike) * std::cos(a),
                   cy + (r + spike) * std::sin(a), cx + r * std::cos(a1), cy + r * std::sin(a1), kFurDark);
  }
  c.FillCircle(cx, cy, r, kFurDark);
  c.FillCircle(cx, cy, r - 2, hurt ? kFurLight : kFur);
  c.FillCircle(cx - 7, cy - 8, 6, kFurLight);
  if (hurt) {
    ShutEye(c, cx + 5, cy - 3, 4);
    ShutEye(c, cx + 14, cy - 3, 3);
  } else {
    Eye(c, cx + 6, cy - 3, 4.5f);
    Eye(c, cx + 15, cy - 3, 3.5f);
  }
  // Feet stop on row 62: nothing below it.
  c.FillRect(x, y + 63, 64, 1, kKeyGreen);
}

inline Canvas KedamaSheet() {
  Canvas c(256, 128, kKeyGreen);
  const float bob[4] = {0, 2, 0, 1}, step[4] = {0, 3, 0, -3};
  for (int i = 0; i < 4; ++i) Kedama(c, 64 * i, 0, bob[i], step[i], false);
  Kedama(c, 0, 64, 0, 0, true);
  return c;
}

// One Hopper in the cell at x: a dome of a body with spring legs, kept within (13, 2)-(50, 42).
// lift draws the legs up under it, tilt turns the head down (the slam).
inline void Hopper(Canvas& c, int x, float lift, bool slam, bool hurt) {
  const float cx = x + 31.5f, top = slam ? 10.0f : 6.0f + lift;
  const float legTop = 30 + lift * 0.3f, legBottom = 41 - lift;
  // Legs: zigzag springs either side.
  for (const float side : {-1.0f, 1.0f}) {
    const float lx = cx + side * 10;
    c.Line(lx, legTop, lx + side * 5, (legTop + legBottom) / 2, 3, kHopperDark);
    c.Line(lx + side * 5, (legTop + legBottom) / 2, lx, legBottom, 3, kHopperDark);
    c.FillEllipse(lx + side * 1, legBottom, 5, 1.5f, kHopperDark);
  }
  const float bodyBottom = slam ? 36.0f : 32.0f + lift * 0.3f;
  c.FillEllipse(cx, (top + bodyBottom) / 2, 17, (bodyBottom - top) / 2, kHopperDark);
  c.FillEllipse(cx, (top + bodyBottom) / 2, 15, (bodyBottom - top) / 2 - 2, hurt ? kBelly : kHopper);
  c.FillEllipse(cx + 2, bodyBottom - 6, 9, 4, kBelly);
  if (slam) {
    // Speed lines above the plunge.
    for (const float dx : {-10.0f, 0.0f, 10.0f}) c.Line(cx + dx, 2, cx + dx, 7, 2, kHopperDark);
    Eye(c, cx + 9, top + 12, 3.5f);
  } else if (hurt) {
    ShutEye(c, cx + 8, top + 8, 3.5f);
  } else {
    Eye(c, cx + 8, top + 8, 4);
  }
  // Nothing outside the box.
  for (int j = 0; j < 64; ++j)
    for (int i = x; i < x + 64; ++i)
      if (i < x + 13 || i > x + 50 || j < 2 || j > 42) c.Set(i, j, kKeyGreen);
}

inline Canvas HopperSheet() {
  Canvas c(256, 64, kKeyGreen);
  Hopper(c, 0, 0, false, false);
  Hopper(c, 64, 6, false, false);
  Hopper(c, 128, 8, true, false);
  Hopper(c, 192, 0, false, true);
  return c;
}

inline void Bomber(Canvas& c, int x, bool wingsUp) {
  const float cx = x + 24.0f, cy = 30;
  // Wings behind the body.
  const float tip = wingsUp ? 8.0f : 30.0f;
  c.FillTriangle(cx - 6, cy - 4, cx - 22, tip, cx - 12, cy + 4, kWing);
  c.FillTriangle(cx + 6, cy - 4, cx + 22, tip, cx + 12, cy + 4, kWing);
  c.FillCircle(cx, cy, 15, kInk);
  c.FillCircle(cx, cy, 13.5f, kBomb);
  c.FillCircle(cx - 5, cy - 5, 4, kBombLight);
  // The fuse and its spark.
  c.FillRect(x + 22, 11, 4, 5, kFuse);
  c.FillCircle(cx, 9, 3, kSpark);
  // An angry eye toward the front.
  Eye(c, cx + 6, cy + 1, 3.5f);
  c.Line(cx + 2, cy - 5, cx + 10, cy - 3, 2, kInk);
}

inline Canvas BomberSheet() {
  Canvas c(96, 48, kKeyGreen);
  Bomber(c, 0, true);
  Bomber(c, 48, false);
  return c;
}

inline Canvas BulletPicture() {
  Canvas c(16, 16, kKeyGreen);
  c.FillCircle(8, 8, 7.5f, kFire);
  c.FillCircle(8, 8, 5.5f, kFlame);
  c.FillCircle(8, 8, 3, kCore);
  return c;
}

inline Canvas ShockWaveSheet() {
  Canvas c(128, 32, kKeyGreen);
  for (int i = 0; i < 2; ++i) {
    const float x = 64.0f * i, height = i == 0 ? 18.0f : 28.0f;
    // A crest leaning forward, its foot along the bottom of the cell.
    c.FillTriangle(x + 2, 32, x + 40, 32 - height, x + 62, 32, kEarth);
    c.FillTriangle(x + 14, 32, x + 40, 36 - height, x + 52, 32, kEarthLight);
    // Clods thrown ahead.
    c.FillCircle(x + 54, 30 - height * 0.8f, 2.5f, kEarth);
    c.FillCircle(x + 46, 26 - height * 0.9f, 2, kEarthLight);
  }
  return c;
}

// Cell i of the burst, centred at (cx, cy).
inline void BurstCell(Canvas& c, float cx, float cy, int i) {
  if (i < 4) {
    const float r = 24.0f + 12 * i;
    // Flames growing: rays in mirrored pairs, then the ball.
    const int rays = 8;
    for (int k = 0; k < rays; ++k) {
      const float a = 2 * kPi * (k + 0.5f) / rays;
      for (const float side : {-1.0f, 1.0f}) {
        const float s = side * std::sin(a), co = std::cos(a);
        c.FillTriangle(cx + s * r * 0.6f - co * 8, cy - co * r * 0.6f - s * 8, cx + s * (r + 10), cy - co * (r + 10),
                       cx + s * r * 0.6f + co * 8, cy - co * r * 0.6f + s * 8, kFlame);
      }
    }
    c.FillCircle(cx, cy, r, kFire);
    c.FillCircle(cx, cy, r * 0.75f, kFlame);
    c.FillCircle(cx, cy, r * 0.45f, kCore);
  } else {
    // The fire sinks into a cloud of smoke that drifts apart and thins.
    const int k = i - 4;
    if (k < 2) {
      c.FillCircle(cx, cy, 62.0f - 16 * k, kFire);
      c.FillCircle(cx, cy, 50.0f - 20 * k, kFlame);
    }
    const float spread = 40.0f + 10 * k, puff = 17.0f - 3 * k;
    const Rgb smoke = k == 2 ? kSmokeLight : kSmoke;
    c.FillCircle(cx, cy - spread, puff, smoke);
    c.FillCircle(cx, cy + spread, puff, smoke);
    for (int m = 0; m < 3; ++m) {
      const float a = kPi * (m + 0.5f) / 3;
      for (const float side : {-1.0f, 1.0f})
        c.FillCircle(cx + side * std::sin(a) * spread, cy - std::cos(a) * spread, puff, smoke);
    }
  }
}

inline Canvas BurstSheet() {
  Canvas c(624, 312, kKeyGreen);
  for (int i = 0; i < 7; ++i) {
    Canvas cell(156, 156, kKeyGreen);
    BurstCell(cell, 78, 78, i);
    c.Paste(cell, 156 * (i % 4), 156 * (i / 4));
  }
  return c;
}

}  // namespace mobs

inline void DrawMobPictures(Pictures* out) {
  out->insert_or_assign("Mob_Kedama.bmp", mobs::KedamaSheet());
  out->insert_or_assign("Mob_Hopper.bmp", mobs::HopperSheet());
  out->insert_or_assign("Mob_Bomber.bmp", mobs::BomberSheet());
  out->insert_or_assign("ME_NormalBullet.bmp", mobs::BulletPicture());
  out->insert_or_assign("ME_StampShockWave.bmp", mobs::ShockWaveSheet());
  out->insert_or_assign("ME_Burst.bmp", mobs::BurstSheet());
}

}  // namespace artact
