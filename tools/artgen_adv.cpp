// Draws the ADV scene's pictures: three backgrounds, the message window, its frames, the
// signs, the speakers' icon sheet and the icon frame. Pure green (0, 255, 0) is the colour key:
// it is used only where a picture must be see-through, and kept out of everything else.
//
//   artgen_adv OUT_DIR   writes OUT_DIR/Graphic/Adv/*.bmp
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/artkit.h"

using artkit::Canvas;
using artkit::Mix;
using artkit::Rgb;

namespace {

constexpr Rgb kKey{0, 255, 0};
constexpr int kScreenW = 854;
constexpr int kScreenH = 480;

// A ridge line of hills: height above baseY at column x, from a few sines.
float Ridge(float x, float seed, float amplitude) {
  return amplitude * (0.55f * std::sin(x * 0.011f + seed) + 0.3f * std::sin(x * 0.027f + seed * 2.1f) +
                      0.15f * std::sin(x * 0.061f + seed * 3.7f));
}

void FillBelowRidge(Canvas& c, float baseY, float seed, float amplitude, Rgb top, Rgb bottom) {
  for (int x = 0; x < c.Width(); ++x) {
    const int y0 = static_cast<int>(baseY - Ridge(static_cast<float>(x), seed, amplitude));
    for (int y = y0 < 0 ? 0 : y0; y < c.Height(); ++y)
      c.Set(x, y, Mix(top, bottom, float(y - y0) / float(c.Height() - y0 + 1)));
  }
}

void Pine(Canvas& c, float x, float baseY, float h, Rgb col) {
  c.FillRect(int(x - 2), int(baseY - h * 0.25f), 4, int(h * 0.25f), {54, 38, 30});
  for (int i = 0; i < 3; ++i) {
    const float w = h * (0.42f - i * 0.1f), top = baseY - h * (0.45f + i * 0.22f);
    c.FillTriangle(x - w, baseY - h * (0.2f + i * 0.2f), x + w, baseY - h * (0.2f + i * 0.2f), x, top, col);
  }
}

// Mountains at dusk over a river, with a tiered tower on the far slope.
Canvas DrawMountains() {
  Canvas c(kScreenW, kScreenH);
  c.GradientRect(0, 0, kScreenW, 300, {38, 44, 96}, {240, 160, 118});
  c.FillCircle(610, 150, 38, {255, 226, 170});
  c.FillCircle(610, 150, 30, {255, 240, 205});
  FillBelowRidge(c, 230, 1.3f, 60, {118, 96, 140}, {150, 120, 150});
  FillBelowRidge(c, 280, 4.2f, 45, {80, 74, 112}, {96, 90, 120});
  // The tower: five tiers narrowing upward, on the middle ridge.
  for (int t = 0; t < 5; ++t) {
    const float w = 46 - t * 7.f, y = 246 - t * 22.f;
    c.FillRect(int(214 - w / 2 + 6), int(y - 14), int(w - 12), 14, {60, 46, 62});
    c.FillTriangle(214 - w / 2 - 6, y - 12, 214 + w / 2 + 6, y - 12, 214, y - 26, {44, 34, 50});
  }
  c.Line(214, 136, 214, 116, 2, {44, 34, 50});
  FillBelowRidge(c, 340, 2.4f, 30, {48, 70, 64}, {34, 52, 46});
  // The river winding towards the viewer.
  for (int y = 330; y < kScreenH; ++y) {
    const float t = float(y - 330) / (kScreenH - 330);
    const float cx = 430 + 90 * std::sin(t * 3.2f), half = 14 + t * 120;
    c.FillRect(int(cx - half), y, int(2 * half), 1, Mix({170, 160, 190}, {90, 120, 160}, t));
  }
  for (int i = 0; i < 14; ++i) {
    const float x = 20.f + i * 61.f + 17 * std::sin(i * 2.3f);
    if (x > 300 && x < 600) continue;
    Pine(c, x, 420 + 25 * std::sin(i * 1.7f), 70 + 20 * std::sin(i * 0.9f), {22, 46, 36});
  }
  c.Speckle(0, 0, kScreenW, kScreenH, 5, 11);
  return c;
}

// Inside a guild hall: plank walls, a notice board, a long counter and two lanterns.
Canvas DrawGuildHall() {
  Canvas c(kScreenW, kScreenH);
  for (int x = 0; x < kScreenW; x += 38) {
    const Rgb plank = (x / 38) % 2 ? Rgb{124, 82, 52} : Rgb{112, 74, 46};
    c.GradientRect(x, 0, 38, 330, Mix(plank, {70, 44, 28}, 0.4f), plank);
    c.FillRect(x, 0, 2, 330, {64, 40, 24});
  }
  c.FillRect(0, 60, kScreenW, 10, {80, 52, 30});
  c.GradientRect(0, 330, kScreenW, 150, {92, 64, 44}, {58, 40, 28});
  for (int y = 340; y < kScreenH; y += 22) c.FillRect(0, y, kScreenW, 2, {50, 34, 22});
  // Notice board with pinned papers.
  c.FillRect(300, 96, 260, 150, {86, 58, 36});
  c.FillRect(308, 104, 244, 134, {168, 130, 90});
  const Rgb papers[] = {{238, 228, 200}, {226, 214, 188}, {244, 236, 214}, {232, 220, 196}, {220, 206, 178}};
  for (int i = 0; i < 7; ++i) {
    const int px = 318 + (i * 53) % 220, py = 112 + (i * 37) % 80;
    c.FillRect(px, py, 44, 52, papers[i % 5]);
    for (int l = 0; l < 5; ++l) c.FillRect(px + 6, py + 10 + l * 8, 30 - (l * 7) % 12, 2, {120, 110, 100});
    c.FillCircle(px + 22, py + 4, 3, {180, 40, 40});
  }
  // Counter.
  c.GradientRect(60, 300, 734, 24, {150, 104, 64}, {120, 82, 50});
  c.GradientRect(80, 324, 694, 110, {98, 64, 40}, {70, 46, 30});
  for (int x = 100; x < 770; x += 96) c.FrameRect(x, 336, 80, 86, 3, {62, 40, 26});
  // Lanterns with a warm glow.
  for (int lx : {150, 704}) {
    for (int r = 70; r > 0; r -= 6) {
      const float t = r / 70.f;
      for (int j = -r; j <= r; ++j)
        for (int i = -r; i <= r; ++i)
          if (i * i + j * j <= r * r && i * i + j * j > (r - 6) * (r - 6)) {
            const int x = lx + i, y = 150 + j;
            if (x < 0 || y < 0 || x >= kScreenW || y >= kScreenH) continue;
            c.Set(x, y, Mix(c.Get(x, y), {255, 200, 120}, 0.25f * (1 - t)));
          }
    }
    c.Line(lx, 70, lx, 124, 2, {40, 30, 20});
    c.FillEllipse(lx, 150, 18, 26, {236, 160, 70});
    c.FillEllipse(lx, 150, 10, 18, {255, 220, 150});
    c.FillRect(lx - 12, 122, 24, 5, {60, 40, 26});
    c.FillRect(lx - 12, 174, 24, 5, {60, 40, 26});
  }
  c.Speckle(0, 0, kScreenW, kScreenH, 4, 23);
  return c;
}

// A town gate of grey stone under a morning sky, a dirt road running through the arch.
Canvas DrawTownGate() {
  Canvas c(kScreenW, kScreenH);
  c.GradientRect(0, 0, kScreenW, 300, {120, 170, 226}, {206, 226, 240});
  for (int i = 0; i < 5; ++i) {
    const float cx = 90.f + i * 180.f, cy = 60.f + 22 * std::sin(i * 1.9f);
    for (int k = 0; k < 4; ++k) c.FillEllipse(cx + k * 26 - 38, cy + (k % 2) * 6, 34, 16, {246, 248, 252});
  }
  c.GradientRect(0, 300, kScreenW, 180, {108, 150, 84}, {70, 112, 60});
  // The road, widening towards the viewer.
  for (int y = 300; y < kScreenH; ++y) {
    const float t = float(y - 300) / (kScreenH - 300);
    const float half = 60 + t * 220;
    c.FillRect(int(427 - half), y, int(2 * half), 1, Mix({176, 150, 112}, {150, 122, 88}, t));
  }
  // Walls and the gatehouse, built of blocks.
  auto stone = [&c](int x, int y, int w, int h, uint32_t seed) {
    c.FillRect(x, y, w, h, {150, 146, 140});
    for (int by = y; by < y + h; by += 18) {
      const int shift = ((by - y) / 18) % 2 ? 18 : 0;
      c.FillRect(x, by, w, 2, {110, 106, 102});
      for (int bx = x - shift; bx < x + w; bx += 36)
        if (bx >= x) c.FillRect(bx, by, 2, 18, {110, 106, 102});
    }
    c.Speckle(x, y, w, h, 8, seed);
  };
  stone(0, 200, 290, 120, 5);
  stone(564, 200, 290, 120, 6);
  stone(270, 110, 314, 210, 7);
  for (int x = 270; x < 584; x += 28) c.FillRect(x, 92, 16, 20, {140, 136, 130});
  for (int x = 0; x < 290; x += 28) c.FillRect(x, 184, 16, 18, {140, 136, 130});
  for (int x = 564; x < kScreenW; x += 28) c.FillRect(x, 184, 16, 18, {140, 136, 130});
  // The arch: a dark opening with a glimpse of the road beyond.
  c.FillRect(362, 200, 130, 120, {40, 36, 40});
  c.FillEllipse(427, 200, 65, 55, {40, 36, 40});
  for (int y = 170; y < 320; ++y)
    for (int x = 376; x < 478; ++x) {
      const float dx = (x + 0.5f - 427) / 51.f, dy = (y + 0.5f - 212) / 42.f;
      if (y < 212 && dx * dx + dy * dy > 1) continue;
      c.Set(x, y, y < 270 ? Mix({200, 222, 238}, {226, 236, 242}, (y - 170) / 100.f) : Rgb{96, 140, 80});
    }
  c.FillTriangle(412, 320, 442, 320, 427, 270, {170, 146, 108});
  // Banners.
  for (int bx : {300, 528}) {
    c.FillRect(bx, 128, 26, 70, {150, 36, 44});
    c.FillTriangle(bx, 198, bx + 26, 198, bx + 13, 186, {40, 36, 40});
    c.FillCircle(bx + 13, 150, 7, {232, 196, 90});
  }
  return c;
}

// The message window's cloth: light, so that the scene's grey tint makes it a dim, see-through
// panel; and no key green, because the same picture also makes the black overlay.
Canvas DrawMessageWindow() {
  Canvas c(440, 80);
  c.GradientRect(0, 0, 440, 80, {228, 236, 250}, {176, 192, 226});
  for (int y = 3; y < 80; y += 6) c.FillRect(0, y, 440, 1, {214, 224, 244});
  c.Speckle(0, 0, 440, 80, 3, 41);
  return c;
}

// A gilded border of the given thickness around a see-through middle.
Canvas DrawBorder(int w, int h, int thickness, bool corners) {
  Canvas c(w, h, kKey);
  for (int i = 0; i < thickness; ++i) {
    const float t = float(i) / float(thickness > 1 ? thickness - 1 : 1);
    c.FrameRect(i, i, w - 2 * i, h - 2 * i, 1, Mix({250, 226, 150}, {150, 104, 40}, std::fabs(t - 0.35f) * 1.4f));
  }
  if (corners) {
    for (int cx : {0, w - 1})
      for (int cy : {0, h - 1}) {
        c.FillCircle(cx + (cx ? -3.f : 4.f), cy + (cy ? -3.f : 4.f), 5, {250, 230, 170});
        c.FillCircle(cx + (cx ? -3.f : 4.f), cy + (cy ? -3.f : 4.f), 2.5f, {176, 60, 60});
      }
  }
  return c;
}

// The frame behind the icon: a gilded border round a dusky backdrop the icon stands on.
Canvas DrawIconFrame() {
  Canvas c = DrawBorder(128, 128, 8, true);
  c.GradientRect(8, 8, 112, 112, {60, 64, 96}, {30, 30, 52});
  c.FrameRect(14, 14, 100, 100, 1, {120, 110, 150});
  return c;
}

// "More" sign: two frames side by side (the scene shows half the picture's width).
Canvas DrawCommentSign() {
  Canvas c(64, 32, kKey);
  for (int f = 0; f < 2; ++f) {
    const float dy = f ? 4.f : 0.f;
    c.FillTriangle(f * 32 + 6.f, 8 + dy, f * 32 + 26.f, 8 + dy, f * 32 + 16.f, 24 + dy, {250, 236, 180});
    c.FillTriangle(f * 32 + 10.f, 10 + dy, f * 32 + 22.f, 10 + dy, f * 32 + 16.f, 19 + dy, {200, 150, 60});
  }
  return c;
}

Canvas DrawEndSign() {
  Canvas c(32, 32, kKey);
  c.FillCircle(16, 16, 12, {250, 236, 180});
  c.FillCircle(16, 16, 8, {200, 150, 60});
  c.FillCircle(16, 16, 4, {250, 236, 180});
  return c;
}

struct Look {
  Rgb hair, skin, eyes, cloth, trim;
  bool longHair;
};

// One face in a 96×96 cell. Expressions: 0 calm, 1 smiling, 2 surprised, 3 troubled, 4 eyes
// shut. Each cell also wears a brooch of its own colour, so the cells tell apart at a glance.
void DrawFace(Canvas& sheet, int cellX, int cellY, const Look& look, int expression, Rgb brooch) {
  Canvas c(96, 96, kKey);  // drawn on its own so that nothing spills into the next cell
  const float ox = 0, oy = 0;
  if (look.longHair) c.FillEllipse(ox + 48, oy + 54, 31, 34, look.hair);
  c.FillEllipse(ox + 48, oy + 100, 36, 20, look.cloth);  // shoulders, cut by the cell's edge
  c.FillTriangle(ox + 34, oy + 80, ox + 62, oy + 80, ox + 48, oy + 95, look.trim);
  c.FillRect(int(ox + 42), int(oy + 66), 12, 14, look.skin);  // neck
  c.FillEllipse(ox + 48, oy + 48, 26, 30, look.skin);
  c.FillEllipse(ox + 48, oy + 28, 29, 17, look.hair);  // fringe
  c.FillTriangle(ox + 22, oy + 30, ox + 36, oy + 30, ox + 24, oy + 56, look.hair);
  c.FillTriangle(ox + 60, oy + 30, ox + 74, oy + 30, ox + 72, oy + 56, look.hair);
  // Eyes.
  for (float ex : {38.f, 58.f}) {
    switch (expression) {
      case 4:
        c.Line(ox + ex - 5, oy + 50, ox + ex + 5, oy + 50, 2, {60, 40, 40});
        break;
      case 2:
        c.FillCircle(ox + ex, oy + 49, 6, {250, 250, 250});
        c.FillCircle(ox + ex, oy + 49, 3, look.eyes);
        break;
      case 1:
        c.Line(ox + ex - 5, oy + 51, ox + ex, oy + 47, 2, {60, 40, 40});
        c.Line(ox + ex, oy + 47, ox + ex + 5, oy + 51, 2, {60, 40, 40});
        break;
      default:
        c.FillEllipse(ox + ex, oy + 50, 4, 5, look.eyes);
        c.FillCircle(ox + ex + 1, oy + 48, 1.5f, {250, 250, 250});
        break;
    }
    if (expression == 3) c.Line(ox + ex - 6, oy + 40 + (ex < 48 ? 2 : -2), ox + ex + 6, oy + 40 + (ex < 48 ? -2 : 2), 2, look.hair);
  }
  // Mouth.
  switch (expression) {
    case 1:
      c.FillEllipse(ox + 48, oy + 63, 7, 4, {190, 80, 80});
      c.FillRect(int(ox + 40), int(oy + 58), 17, 4, look.skin);
      break;
    case 2:
      c.FillEllipse(ox + 48, oy + 65, 4, 5, {150, 60, 60});
      break;
    case 3:
      c.Line(ox + 42, oy + 65, ox + 54, oy + 63, 2, {150, 80, 80});
      break;
    default:
      c.Line(ox + 43, oy + 63, ox + 53, oy + 63, 2, {170, 90, 90});
      break;
  }
  c.FillCircle(ox + 48, oy + 88, 4, brooch);
  sheet.Paste(c, cellX * 96, cellY * 96);
}

Canvas DrawIcons() {
  Canvas c(480, 192, kKey);
  const Look heroine{{46, 52, 96}, {250, 222, 200}, {40, 90, 150}, {190, 60, 70}, {240, 220, 160}, true};
  const Look master{{150, 140, 130}, {232, 196, 164}, {70, 60, 40}, {70, 96, 70}, {200, 170, 100}, false};
  const Rgb brooches[10] = {{255, 80, 80},  {255, 160, 40}, {250, 230, 60}, {120, 220, 90}, {60, 200, 220},
                            {70, 110, 250}, {170, 90, 240}, {250, 110, 200}, {250, 250, 250}, {40, 40, 40}};
  for (int n = 0; n < 10; ++n) DrawFace(c, n % 5, n / 5, n < 5 ? heroine : master, n % 5, brooches[n]);
  return c;
}

bool Save(const Canvas& canvas, const std::filesystem::path& dir, const char* name, bool keyAllowed) {
  Canvas copy = canvas;
  // Pictures that are not see-through anywhere must not hold the key by accident.
  if (!keyAllowed) copy.ReplaceColor(kKey, {0, 254, 0});
  const std::string path = (dir / name).string();
  if (!copy.SaveBmp(path)) {
    std::fprintf(stderr, "artgen_adv: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: artgen_adv OUT_DIR\n");
    return 2;
  }
  const std::filesystem::path dir = std::filesystem::path(argv[1]) / "Graphic" / "Adv";
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  bool ok = Save(DrawMountains(), dir, "China.bmp", false);
  ok = Save(DrawGuildHall(), dir, "guild.bmp", false) && ok;
  ok = Save(DrawTownGate(), dir, "gate.bmp", false) && ok;
  ok = Save(DrawMessageWindow(), dir, "MessageWindow.bmp", false) && ok;
  ok = Save(DrawBorder(450, 90, 5, true), dir, "MessageFrame.bmp", true) && ok;
  ok = Save(DrawBorder(92, 37, 5, false), dir, "NameFrame.bmp", true) && ok;
  ok = Save(DrawCommentSign(), dir, "MessageComment.bmp", true) && ok;
  ok = Save(DrawEndSign(), dir, "MessageEnd.bmp", true) && ok;
  ok = Save(DrawIcons(), dir, "IconMain.bmp", true) && ok;
  ok = Save(DrawIconFrame(), dir, "IconFrame.bmp", false) && ok;
  return ok ? 0 : 1;
}
