// artgen_field OUT_DIR: draws the field scene's pictures into OUT_DIR (the run-time tree's shape):
//   Graphic/field1.bmp            854x480  the green lowlands map
//   Graphic/field2.bmp            854x480  the coast map
//   Graphic/point_icon01.bmp      32x32    a destination marker on the green key colour
//   Graphic/Battle/PlayerPoint.bmp 32x32   the player's sign over the selected destination
//   Graphic/comment_window01.bmp  288x48   the comment panel (also the fade overlay's texture)
// The maps and the panel never hold the pure key colours: the maps are loaded with the green key,
// the panel with the black key (as the overlay) and with the green key (as the panel).
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/artkit.h"

using artkit::Canvas;
using artkit::Rgb;

namespace {

constexpr Rgb kKeyGreen{0, 255, 0};
constexpr Rgb kBlack{0, 0, 0};

bool Save(const Canvas& c, const std::string& dir, const std::string& name) {
  const std::string path = dir + "/" + name;
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
  if (!c.SaveBmp(path)) {
    std::fprintf(stderr, "artgen_field: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

// Keeps the key colours out of a picture that must show every pixel.
void ClearKeys(Canvas& c) {
  c.ReplaceColor(kKeyGreen, {8, 250, 8});
  c.ReplaceColor(kBlack, {4, 4, 6});
}

// A winding road of small stones between two places.
void Road(Canvas& c, float x0, float y0, float x1, float y1, float bend, Rgb colour) {
  const int steps = 60;
  float px = x0, py = y0;
  for (int s = 1; s <= steps; ++s) {
    const float t = float(s) / steps;
    const float x = x0 + (x1 - x0) * t - (y1 - y0) * bend * std::sin(t * 3.14159f);
    const float y = y0 + (y1 - y0) * t + (x1 - x0) * bend * std::sin(t * 3.14159f);
    if (s % 2 == 0) c.Line(px, py, x, y, 5, colour);
    px = x;
    py = y;
  }
}

void Tree(Canvas& c, float x, float y, float size, Rgb leaves) {
  c.FillRect(int(x - size * 0.12f), int(y), int(size * 0.25f) + 1, int(size * 0.5f), {96, 64, 36});
  c.FillTriangle(x - size * 0.6f, y + size * 0.1f, x + size * 0.6f, y + size * 0.1f, x, y - size, leaves);
}

void Mountain(Canvas& c, float x, float base, float width, float height, Rgb rock, Rgb snow) {
  c.FillTriangle(x - width / 2, base, x + width / 2, base, x, base - height, rock);
  c.FillTriangle(x - width * 0.14f, base - height * 0.72f, x + width * 0.14f, base - height * 0.72f, x,
                 base - height, snow);
}

void House(Canvas& c, int x, int y, Rgb roof) {
  c.FillRect(x, y, 14, 10, {222, 204, 170});
  c.FillTriangle(x - 3, y + 1, x + 17, y + 1, x + 7, y - 8, roof);
  c.FillRect(x + 5, y + 4, 4, 6, {90, 60, 40});
}

Canvas DrawLowlands() {
  Canvas c(854, 480);
  c.GradientRect(0, 0, 854, 480, {118, 170, 92}, {84, 140, 70});
  c.Speckle(0, 0, 854, 480, 6, 11);
  // Mountains along the north edge, the old tower's hill among them.
  for (int i = 0; i < 9; ++i)
    Mountain(c, 40.f + i * 100.f, 110.f + (i % 3) * 6, 170.f, 90.f + (i % 4) * 14, {112, 106, 118},
             {236, 238, 244});
  c.FillEllipse(660, 130, 60, 26, {100, 150, 80});
  c.FillRect(650, 86, 20, 44, {150, 140, 128});
  c.FillTriangle(646, 88, 674, 88, 660, 70, {120, 60, 60});
  // A river from the mountains to the south-east.
  for (int i = 0; i < 120; ++i) {
    const float t = i / 119.f;
    c.FillCircle(300 + 480 * t, 120 + 360 * t + 28 * std::sin(t * 9.f), 10 + 6 * t, {70, 120, 196});
  }
  // The northern forest.
  for (int i = 0; i < 70; ++i) {
    const float x = 320 + (i * 37) % 170, y = 150 + (i * 53) % 90;
    const Rgb leaves{uint8_t(40 + (i % 4) * 6), uint8_t(104 + (i % 5) * 6), 52};
    Tree(c, x, y, 14 + (i % 3) * 3, leaves);
  }
  // Roads between the destinations.
  Road(c, 136, 316, 396, 176, 0.12f, {196, 174, 120});
  Road(c, 396, 176, 676, 120, -0.10f, {196, 174, 120});
  Road(c, 136, 316, 716, 346, 0.08f, {196, 174, 120});
  // The village and the harbour.
  for (int i = 0; i < 6; ++i) House(c, 90 + (i % 3) * 24, 270 + (i / 3) * 40, {170, 70, 50});
  c.FillRect(730, 380, 124, 100, {76, 130, 200});
  for (int i = 0; i < 4; ++i) House(c, 690 + (i % 2) * 26, 320 + (i / 2) * 22, {60, 90, 160});
  c.Speckle(0, 0, 854, 480, 3, 12);
  ClearKeys(c);
  return c;
}

Canvas DrawCoast() {
  Canvas c(854, 480);
  c.GradientRect(0, 0, 854, 480, {228, 208, 160}, {206, 184, 136});
  // The sea takes the east and the south.
  auto shore = [](int y) { return 520 + int(60 * std::sin(y / 70.f)) - y / 4; };
  for (int y = 0; y < 480; ++y) {
    const int edge = shore(y);
    c.FillRect(edge, y, 854 - edge, 1, {60, 120, 190});
    c.FillRect(edge - 6, y, 6, 1, {240, 236, 220});
  }
  c.Speckle(0, 0, 854, 480, 5, 21);
  // Palm groves and a lighthouse on a rock.
  for (int i = 0; i < 24; ++i) {
    const int x = 60 + (i * 71) % 400, y = 60 + (i * 43) % 360;
    if (x < shore(y) - 40) Tree(c, x, y, 16, {70, 130, 60});
  }
  c.FillEllipse(640, 120, 44, 24, {130, 120, 110});
  c.FillRect(632, 70, 16, 50, {240, 240, 236});
  c.FillRect(632, 86, 16, 8, {200, 50, 50});
  c.FillCircle(640, 66, 7, {250, 220, 90});
  Road(c, 150, 360, 420, 230, 0.10f, {170, 140, 100});
  Road(c, 420, 230, 600, 120, -0.08f, {170, 140, 100});
  for (int i = 0; i < 5; ++i) House(c, 130 + (i % 3) * 24, 350 + (i / 3) * 24, {60, 90, 160});
  c.Speckle(0, 0, 854, 480, 2, 22);
  ClearKeys(c);
  return c;
}

// A round marker with a flag: the destination icon, on the green key colour.
Canvas DrawPointIcon() {
  Canvas c(32, 32, kKeyGreen);
  c.FillEllipse(16, 25, 12, 5, {60, 50, 40});
  c.FillEllipse(16, 24, 11, 4, {250, 236, 180});
  c.FillEllipse(16, 24, 7, 2.5f, {210, 80, 60});
  c.FillRect(15, 4, 2, 20, {70, 50, 40});
  c.FillTriangle(17, 4, 17, 13, 28, 8, {230, 60, 60});
  return c;
}

// A bouncing arrow that points down at the selected destination.
Canvas DrawPlayerPoint() {
  Canvas c(32, 32, kKeyGreen);
  c.FillTriangle(4, 6, 28, 6, 16, 26, {40, 40, 60});
  c.FillTriangle(7, 8, 25, 8, 16, 22, {255, 214, 64});
  c.FillRect(12, 2, 8, 6, {40, 40, 60});
  c.FillRect(13, 3, 6, 6, {255, 214, 64});
  return c;
}

// A light panel with a frame: tinted blue by the scene, and solid black as the fade overlay.
Canvas DrawCommentWindow() {
  Canvas c(288, 48);
  c.GradientRect(0, 0, 288, 48, {250, 250, 252}, {196, 200, 214});
  c.FrameRect(0, 0, 288, 48, 2, {120, 126, 150});
  c.FrameRect(3, 3, 282, 42, 1, {232, 234, 244});
  ClearKeys(c);
  return c;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: artgen_field OUT_DIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  bool ok = Save(DrawLowlands(), dir, "Graphic/field1.bmp");
  ok = Save(DrawCoast(), dir, "Graphic/field2.bmp") && ok;
  ok = Save(DrawPointIcon(), dir, "Graphic/point_icon01.bmp") && ok;
  ok = Save(DrawPlayerPoint(), dir, "Graphic/Battle/PlayerPoint.bmp") && ok;
  ok = Save(DrawCommentWindow(), dir, "Graphic/comment_window01.bmp") && ok;
  return ok ? 0 : 1;
}
