#pragma once
// The action stage's own pictures, drawn for artgen_act: the chip sheet, the two backgrounds,
// the fade curtain and the HUD (gauges and their frames, digits, face, icons). Only pure green
// (0, 255, 0) is transparent, and shapes meet it with hard edges; the far background keys green
// 254 instead, so it holds neither.
#include <map>
#include <string>
#include <utility>

#include "tools/artkit.h"

namespace artact {

using artkit::Canvas;
using artkit::Rgb;
using Pictures = std::map<std::string, Canvas>;

constexpr Rgb kKeyGreen{0, 255, 0};
// The near background covers stages of up to 80 × 24 cells of 32 pixels: its source is the
// scroll, up to (width − 1) × 32 − 854 across and (height − 1) × 32 − 481 down, plus the view.
constexpr int kFrontWidth = 79 * 32, kFrontHeight = 23 * 32 - 1;

// --- the chip sheet: 16 chips of 32 × 32 a row, chip v at ((v mod 16) × 32, (v / 16) × 32) ---

namespace chips {

constexpr Rgb kEarth{120, 84, 52}, kEarthDark{92, 62, 38}, kGrass{76, 156, 62}, kGrassLight{120, 196, 84};
constexpr Rgb kStone{128, 128, 138}, kStoneDark{86, 86, 98}, kMortar{64, 62, 70};
constexpr Rgb kIron{150, 152, 168}, kIronDark{48, 48, 60}, kWood{156, 108, 60}, kWoodDark{110, 72, 40};

inline void Earth(Canvas& c, int x, int y, uint32_t seed) {
  c.FillRect(x, y, 32, 32, kEarth);
  c.Speckle(x, y, 32, 32, 10, seed);
  for (int i = 0; i < 5; ++i) c.FillRect(x + (i * 13 + 5) % 28, y + (i * 7 + 9) % 28, 3, 2, kEarthDark);
}

inline void GrassTop(Canvas& c, int x, int y) {
  c.FillRect(x, y, 32, 6, kGrass);
  for (int i = 0; i < 32; i += 4) c.FillRect(x + i, y + 6, 2, 2 + (i / 4) % 3, kGrass);
  c.FillRect(x, y, 32, 2, kGrassLight);
}

inline void Bricks(Canvas& c, int x, int y, Rgb stone, Rgb mortar, uint32_t seed) {
  c.FillRect(x, y, 32, 32, mortar);
  for (int row = 0; row < 4; ++row) {
    const int offset = row % 2 ? 8 : 0;
    for (int col = -1; col < 2; ++col) {
      const int bx = x + col * 16 + offset + 1, by = y + row * 8 + 1;
      for (int j = 0; j < 6; ++j)
        for (int i = 0; i < 14; ++i)
          if (bx + i >= x && bx + i < x + 32) c.Set(bx + i, by + j, stone);
    }
  }
  c.Speckle(x, y, 32, 32, 6, seed);
}

inline void ClosedGate(Canvas& c, int x, int y) {
  c.FillRect(x, y, 32, 32, kIronDark);
  for (int i = 0; i < 4; ++i) c.FillRect(x + 3 + i * 8, y, 3, 32, kIron);
  c.FillRect(x, y + 4, 32, 3, kIron);
  c.FillRect(x, y + 25, 32, 3, kIron);
  for (int i = 0; i < 4; ++i) c.FillRect(x + 4 + i * 8, y + 5, 1, 1, {230, 230, 240});
}

// Where a gate will close: two thin posts and a dotted rail on the transparent green.
inline void OpenGate(Canvas& c, int x, int y) {
  c.FillRect(x, y, 3, 32, kIronDark);
  c.FillRect(x + 29, y, 3, 32, kIronDark);
  for (int i = 4; i < 28; i += 4) c.FillRect(x + i, y + 1, 2, 2, kIron);
}

inline void Planks(Canvas& c, int x, int y) {
  c.FillRect(x, y, 32, 32, kWood);
  for (int row = 0; row < 4; ++row) {
    c.FillRect(x, y + row * 8 + 7, 32, 1, kWoodDark);
    c.FillRect(x + (row * 11 + 6) % 30, y + row * 8 + 2, 6, 1, kWoodDark);
  }
  for (int px : {2, 28}) c.FillRect(x + px, y + 3, 2, 2, kIronDark);
}

inline void Tufts(Canvas& c, int x, int y) {
  for (int i = 0; i < 6; ++i) {
    const float bx = x + 3.0f + i * 5;
    c.FillTriangle(bx - 2, y + 32.0f, bx + 2, y + 32.0f, bx + (i % 2 ? 2 : -1), y + 20.0f - (i % 3) * 3, kGrass);
  }
}

inline void Flowers(Canvas& c, int x, int y) {
  Tufts(c, x, y);
  const Rgb petals[] = {{226, 70, 80}, {250, 210, 70}, {240, 240, 250}};
  for (int i = 0; i < 3; ++i) {
    const int fx = x + 6 + i * 10, fy = y + 14 + (i % 2) * 4;
    c.FillRect(fx, fy + 3, 1, 32 - (fy + 3 - y), {60, 120, 50});
    c.FillCircle(fx + 0.5f, fy + 1.5f, 3, petals[i]);
    c.FillRect(fx, fy + 1, 1, 1, {250, 180, 40});
  }
}

inline void Pebbles(Canvas& c, int x, int y) {
  const Rgb greys[] = {{150, 146, 140}, {110, 108, 104}, {176, 170, 160}};
  for (int i = 0; i < 5; ++i) c.FillEllipse(x + 4.0f + i * 6, y + 29.0f - (i % 2), 3.0f + i % 2, 2.0f, greys[i % 3]);
}

inline Canvas Sheet() {
  Canvas c(512, 64, kKeyGreen);
  // The top-left corner of chip n's cell: 16 cells of 32 × 32 pixels a row.
  auto x = [](int chip) { return chip % 16 * 32; };
  auto y = [](int chip) { return chip / 16 * 32; };
  Earth(c, x(1), y(1), 101);
  GrassTop(c, x(1), y(1));
  ClosedGate(c, x(2), y(2));
  OpenGate(c, x(3), y(3));
  Earth(c, x(4), y(4), 104);
  Bricks(c, x(5), y(5), kStone, kMortar, 105);
  Planks(c, x(6), y(6));
  Tufts(c, x(7), y(7));
  Flowers(c, x(8), y(8));
  Bricks(c, x(9), y(9), {58, 60, 82}, {38, 38, 54}, 109);
  Bricks(c, x(10), y(10), kStone, kMortar, 110);
  GrassTop(c, x(10), y(10));
  Pebbles(c, x(11), y(11));
  return c;
}

}  // namespace chips

// --- the backgrounds ---

// The far layer: sky, clouds, two ranges of mountains and a line of forest.
inline Canvas FarBackground() {
  Canvas c(1100, 600);
  c.GradientRect(0, 0, 1100, 420, {92, 148, 214}, {196, 222, 240});
  c.GradientRect(0, 420, 1100, 180, {120, 160, 120}, {74, 118, 78});
  for (int i = 0; i < 9; ++i) {
    const float cx = 60.0f + i * 130, cy = 70.0f + (i % 3) * 34;
    for (int k = 0; k < 4; ++k) c.FillEllipse(cx + k * 18, cy - (k % 2) * 8, 30, 14, {246, 248, 252});
  }
  for (int i = 0; i < 8; ++i) {
    const float x = 40.0f + i * 150, h = 150.0f + (i % 3) * 40;
    c.FillTriangle(x - 130, 430, x + 130, 430, x, 430 - h, {128, 140, 170});
    c.FillTriangle(x - 28, 430 - h * 0.78f, x + 28, 430 - h * 0.78f, x, 430 - h, {238, 242, 250});
  }
  for (int i = 0; i < 10; ++i) {
    const float x = i * 120.0f, h = 90.0f + (i % 4) * 22;
    c.FillTriangle(x - 110, 470, x + 110, 470, x, 470 - h, {92, 122, 110});
  }
  for (int i = 0; i < 70; ++i) {
    const float x = i * 16.0f + (i % 3) * 4, h = 30.0f + (i * 7) % 18;
    c.FillTriangle(x - 12, 500, x + 12, 500, x, 500 - h, {54, 96, 66});
  }
  c.Speckle(0, 420, 1100, 180, 4, 7);
  // Keep both greens out: green 254 is this picture's key, pure green would show as it is.
  c.ReplaceColor({0, 254, 0}, {6, 240, 6});
  c.ReplaceColor(kKeyGreen, {6, 240, 6});
  return c;
}

// The near layer, laid out in map pixels: mostly transparent, with vines and leaves hanging
// from the top and a few lanterns on chains.
inline Canvas NearBackground() {
  Canvas c(kFrontWidth, kFrontHeight, kKeyGreen);
  for (int i = 0; i < 40; ++i) {
    const float x = 40.0f + i * 63 + (i * 37) % 29;
    const float length = 60.0f + (i * 53) % 160;
    c.Line(x, 0, x + ((i % 3) - 1) * 10.0f, length, 3, {46, 92, 50});
    for (float y = 16; y < length; y += 22)
      c.FillEllipse(x + ((i % 3) - 1) * 10.0f * y / length + (int(y) % 2 ? 5 : -5), y, 6, 3.5f, {64, 128, 62});
  }
  for (int i = 0; i < 8; ++i) {
    const float x = 200.0f + i * 310, length = 120.0f + (i % 3) * 40;
    c.Line(x, 0, x, length, 2, {70, 64, 60});
    c.FillRect(int(x) - 8, int(length), 16, 20, {90, 70, 40});
    c.FillRect(int(x) - 5, int(length) + 4, 10, 12, {255, 214, 120});
  }
  return c;
}

// The fade curtain's picture: the sprite's colour makes it black at any strength.
inline Canvas FadeCurtain() { return Canvas(854, 480, {0, 0, 0}); }

// --- the HUD ---

// A gauge: a bar with a lighter top half; its first row lies under its frame's border.
inline Canvas Gauge(int width, int height, Rgb light, Rgb dark) {
  Canvas c(width, height);
  c.GradientRect(0, 0, width, height, light, dark);
  c.FillRect(0, 0, width, 1, {30, 30, 36});
  return c;
}

// A gauge frame: a one-pixel border round a transparent middle.
inline Canvas GaugeFrame(int width, int height) {
  Canvas c(width, height, kKeyGreen);
  c.FrameRect(0, 0, width, height, 1, {236, 232, 220});
  return c;
}

inline Canvas TeleportIcon() {
  Canvas c(32, 32, kKeyGreen);
  c.FillTriangle(16, 2, 28, 14, 4, 14, {120, 220, 240});
  c.FillTriangle(4, 14, 28, 14, 16, 30, {60, 150, 210});
  c.FillTriangle(16, 5, 22, 13, 11, 13, {220, 250, 255});
  return c;
}

// One face of the HUD portrait: 0 as usual, 1 hurt, 2 worn out.
inline void Face(Canvas& c, int x, int y, int mood) {
  c.FillRect(x + 4, y + 4, 88, 88, {40, 44, 70});
  c.FrameRect(x + 4, y + 4, 88, 88, 2, {200, 190, 150});
  c.FillCircle(x + 48.0f, y + 54.0f, 28, {246, 214, 184});
  c.FillEllipse(x + 48.0f, y + 34.0f, 32, 16, {64, 44, 36});
  c.FillRect(x + 18, y + 34, 8, 26, {64, 44, 36});
  c.FillRect(x + 70, y + 34, 8, 26, {64, 44, 36});
  const Rgb eye{40, 40, 60};
  if (mood == 1) {
    for (int side : {36, 60}) {
      c.Line(x + side - 5.0f, y + 50.0f, x + side + 5.0f, y + 58.0f, 2, eye);
      c.Line(x + side - 5.0f, y + 58.0f, x + side + 5.0f, y + 50.0f, 2, eye);
    }
    c.FillEllipse(x + 48.0f, y + 70.0f, 6, 4, {150, 40, 40});
  } else if (mood == 2) {
    for (int side : {36, 60}) c.FillRect(x + side - 5, y + 55, 10, 3, eye);
    c.FillRect(x + 42, y + 70, 12, 2, {150, 70, 60});
    c.FillEllipse(x + 76.0f, y + 44.0f, 4, 7, {150, 200, 250});
  } else {
    for (int side : {36, 60}) c.FillEllipse(x + side + 0.0f, y + 54.0f, 4, 6, eye);
    c.Line(x + 40.0f, y + 70.0f, x + 56.0f, y + 70.0f, 2, {170, 80, 70});
  }
}

inline Canvas FaceIcons() {
  Canvas c(192, 192, kKeyGreen);
  Face(c, 0, 0, 0);
  Face(c, 96, 0, 1);
  Face(c, 0, 96, 2);
  return c;
}

// Digits 0 to 9 (16 × 32 each at y 16) and the separator at x 160, as seven-segment figures.
inline Canvas Digits() {
  Canvas c(176, 48, kKeyGreen);
  // Segments a to g: top, upper right, lower right, bottom, lower left, upper left, middle.
  const int segments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
  const Rgb ink{250, 248, 236}, edge{30, 30, 40};
  for (int d = 0; d < 10; ++d) {
    const int x = d * 16, y = 16;
    const int bars[7][4] = {{3, 2, 10, 3},  {12, 4, 3, 12}, {12, 17, 3, 12}, {3, 28, 10, 3},
                            {1, 17, 3, 12}, {1, 4, 3, 12},  {3, 15, 10, 3}};
    for (int s = 0; s < 7; ++s) {
      if (!(segments[d] >> s & 1)) continue;
      c.FillRect(x + bars[s][0] - 1, y + bars[s][1] - 1, bars[s][2] + 2, bars[s][3] + 2, edge);
    }
    for (int s = 0; s < 7; ++s)
      if (segments[d] >> s & 1) c.FillRect(x + bars[s][0], y + bars[s][1], bars[s][2], bars[s][3], ink);
  }
  c.Line(172, 20, 164, 44, 4, edge);
  c.Line(172, 20, 164, 44, 2, ink);
  return c;
}

// The attack-mode icons, 64 × 64: the two swords in the top row, the same dimmed below.
inline Canvas AttackModeIcons() {
  Canvas c(128, 128, kKeyGreen);
  for (int row = 0; row < 2; ++row) {
    const float dim = row ? 0.45f : 0.0f;
    auto shade = [dim](Rgb x) { return artkit::Mix(x, {40, 40, 50}, dim); };
    for (int col = 0; col < 2; ++col) {
      const float cx = col * 64 + 32.0f, cy = row * 64 + 32.0f;
      c.FillCircle(cx, cy, 29, shade({50, 60, 96}));
      c.FillCircle(cx, cy, 26, shade({80, 96, 150}));
      if (col == 0) {
        c.Line(cx - 14, cy + 14, cx + 14, cy - 14, 4, shade({220, 226, 236}));
        c.Line(cx + 14, cy + 14, cx - 14, cy - 14, 4, shade({220, 226, 236}));
        c.Line(cx - 14, cy + 14, cx - 9, cy + 9, 5, shade({140, 90, 50}));
        c.Line(cx + 14, cy + 14, cx + 9, cy + 9, 5, shade({140, 90, 50}));
      } else {
        c.FillTriangle(cx - 6, cy + 10, cx + 6, cy + 10, cx, cy - 22, shade({220, 226, 236}));
        c.FillRect(int(cx) - 10, int(cy) + 10, 20, 4, shade({200, 170, 60}));
        c.FillRect(int(cx) - 2, int(cy) + 14, 4, 10, shade({140, 90, 50}));
      }
    }
  }
  return c;
}

inline void DrawStagePictures(Pictures* out) {
  auto put = [out](const char* name, Canvas picture) { out->insert_or_assign(name, std::move(picture)); };
  put("TestChip.bmp", chips::Sheet());
  put("BackGround_Back01.bmp", FarBackground());
  put("BackGround_Front01.bmp", NearBackground());
  put("FadeOut.bmp", FadeCurtain());
  put("Gauge_HP.bmp", Gauge(400, 12, {250, 110, 100}, {170, 30, 40}));
  put("GaugeFrame_HP.bmp", GaugeFrame(402, 13));
  put("Gauge_SP.bmp", Gauge(400, 6, {255, 230, 120}, {210, 150, 30}));
  put("GaugeFrame_SP.bmp", GaugeFrame(402, 7));
  put("Gauge_MP.bmp", Gauge(198, 10, {130, 170, 255}, {40, 70, 190}));
  put("GaugeFrame_MP.bmp", GaugeFrame(200, 11));
  put("TeleportCountIcon.bmp", TeleportIcon());
  put("IconMain.bmp", FaceIcons());
  put("Count.bmp", Digits());
  put("AttackModeIcon.bmp", AttackModeIcons());
}

}  // namespace artact
