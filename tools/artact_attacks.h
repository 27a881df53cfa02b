#pragma once
// The pictures of the hero's attacks and effects, drawn for artgen_act. Only pure green
// (0, 255, 0) is transparent, and every shape meets it with a hard edge.
//   "AttackEffect.bmp" (384 × 216): the slashes' blade arcs, one region per kind: the first
//     slash 68 × 28 at (0, 0); the second and third slashes six 64 × 64 cells each at y 32 and
//     y 96; the air slash 96 × 28 at y 160; the crouch slash 92 × 24 at y 192. The game draws
//     these kinds fully transparent; the sheet is there so that their textures load.
//   "kemuri.bmp" (512 × 128): the dust of a dash, four 128-pixel cells of smoke low in the cell,
//     swelling and thinning out.
//   "Guard.bmp" (640 × 128): the guard's ring of light, five 128-pixel cells, each symmetric
//     about its middle column so that it reads the same mirrored.
#include <cstdint>

#include "tools/artact_stage.h"
#include "tools/artkit.h"

namespace artact {

namespace attacks {

constexpr Rgb kBlade{236, 246, 255}, kBladeEdge{150, 200, 255};
constexpr Rgb kSmoke{200, 190, 170}, kSmokeDark{158, 146, 126}, kSmokeLight{226, 220, 206};
constexpr Rgb kGuard{170, 230, 255}, kGuardBright{245, 252, 255};

// A blade arc in the box (x, y, w, h): a crescent cut from an ellipse by a second one shifted
// toward the arc's inside (dx, dy).
inline void Arc(Canvas& c, int x, int y, int w, int h, float dx, float dy) {
  const float cx = x + w / 2.0f, cy = y + h / 2.0f, rx = w / 2.0f - 1, ry = h / 2.0f - 1;
  c.FillEllipse(cx, cy, rx, ry, kBladeEdge);
  c.FillEllipse(cx + dx / 3, cy + dy / 3, rx - 2, ry - 2, kBlade);
  c.FillEllipse(cx + dx, cy + dy, rx, ry, kKeyGreen);
  // Nothing outside the box.
  for (int j = y - 2; j < y + h + 2; ++j)
    for (int i = x - 2; i < x + w + 2; ++i)
      if (i < x || j < y || i >= x + w || j >= y + h) c.Set(i, j, kKeyGreen);
}

inline Canvas AttackEffectSheet() {
  Canvas c(384, 216, kKeyGreen);
  Arc(c, 0, 0, 68, 28, -14, 7);  // the first slash: a level cut
  for (int i = 0; i < 6; ++i) {
    const float sweep = 6.0f + 3 * i;  // the arc opens as the cut runs
    Arc(c, 64 * i + 4, 32 + 4, 56, 56, -sweep, sweep);        // the second slash: a rising cut
    Arc(c, 64 * i + 4, 96 + 4, 56, 56, -sweep / 2, -sweep);   // the third slash: a downward cut
  }
  Arc(c, 0, 160, 96, 28, -10, -8);  // the air slash
  Arc(c, 0, 192, 92, 24, -12, 6);   // the crouch slash
  return c;
}

inline Canvas DustSheet() {
  Canvas c(512, 128, kKeyGreen);
  for (int i = 0; i < 4; ++i) {
    const float x = 128.0f * i, grow = 1.0f + 0.35f * i;
    // Puffs along the ground, larger and fewer as the dust settles.
    const struct {
      float dx, dy, r;
    } puffs[] = {{30, 112, 10}, {52, 104, 14}, {76, 110, 12}, {98, 114, 9}, {64, 116, 8}};
    const int shown = 5 - i;
    for (int p = 0; p < shown; ++p) {
      const float r = puffs[p].r * grow;
      const float cy = 127 - r;  // resting on the cell's bottom
      c.FillCircle(x + puffs[p].dx, cy, r, i < 3 ? kSmokeDark : kSmoke);
      c.FillCircle(x + puffs[p].dx - r / 4, cy - r / 4, r * 0.7f, i < 2 ? kSmoke : kSmokeLight);
    }
  }
  return c;
}

inline Canvas GuardSheet() {
  Canvas c(640, 128, kKeyGreen);
  for (int i = 0; i < 5; ++i) {
    const float cx = 128.0f * i + 64, cy = 64, r = 36.0f + 5 * i;  // sparks included, within the cell
    c.FillCircle(cx, cy, r, kGuard);
    c.FillCircle(cx, cy, r - 3, kGuardBright);
    c.FillCircle(cx, cy, r - 6, kKeyGreen);
    // Sparks at the four quarter points, mirrored pairs.
    const float s = 4.0f + (i % 2) * 2;
    for (const float side : {-1.0f, 1.0f}) {
      c.FillTriangle(cx + side * r, cy - s * 2, cx + side * (r + s), cy, cx + side * r, cy + s * 2, kGuardBright);
      c.FillTriangle(cx + side * s, cy - r - s, cx, cy - r + s, cx + side * s, cy - r + s, kGuard);
    }
  }
  return c;
}

}  // namespace attacks

inline void DrawAttackPictures(Pictures* out) {
  out->insert_or_assign("AttackEffect.bmp", attacks::AttackEffectSheet());
  out->insert_or_assign("kemuri.bmp", attacks::DustSheet());
  out->insert_or_assign("Guard.bmp", attacks::GuardSheet());
}

}  // namespace artact
