// Draws the start menu's pictures into a data tree:
//   Data/Graphic/startmenu.bmp          the title background (854×480)
//   Data/Graphic/comment_window01.bmp   the comment window, the key-configuration panel and the
//                                       fade overlay, all cut from one 854×480 sheet
//   Data/Graphic/menu_entries.bmp       one 240×64 picture per menu entry, each below the last
// Usage: artgen_startmenu OUTPUT_ROOT
#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/artkit.h"

using artkit::Canvas;
using artkit::Rgb;

namespace {

constexpr Rgb kKeyGreen{0, 255, 0};
constexpr Rgb kKeyBlack{0, 0, 0};

// Five-by-seven block letters for the title.
const char* Glyph(char c) {
  switch (c) {
    case 'V': return "10001100011000110001100010101000100";
    case 'E': return "11111100001000011110100001000011111";
    case 'L': return "10000100001000010000100001000011111";
    case 'U': return "10001100011000110001100011000101110";
    case 'N': return "10001110011010110011100011000110001";
    case 'A': return "01110100011000111111100011000110001";
    default: return "00000000000000000000000000000000000";
  }
}

void DrawWord(Canvas& c, const std::string& word, int x, int y, int cell, Rgb top, Rgb bottom) {
  for (char ch : word) {
    const char* g = Glyph(ch);
    for (int row = 0; row < 7; ++row)
      for (int col = 0; col < 5; ++col)
        if (g[row * 5 + col] == '1')
          c.GradientRect(x + col * cell, y + row * cell, cell, cell, artkit::Mix(top, bottom, row / 7.f),
                         artkit::Mix(top, bottom, (row + 1) / 7.f));
    x += 6 * cell;
  }
}

int WordWidth(const std::string& word, int cell) { return (static_cast<int>(word.size()) * 6 - 1) * cell; }

bool DrawTitleBackground(const std::string& path) {
  Canvas c(854, 480);
  // Dusk sky over a ridge of hills, a pale moon and a lone tower.
  c.GradientRect(0, 0, 854, 300, {18, 22, 58}, {122, 78, 132});
  c.GradientRect(0, 300, 854, 180, {122, 78, 132}, {60, 40, 70});
  uint32_t s = 12345;
  for (int i = 0; i < 140; ++i) {
    s = s * 1103515245u + 12345u;
    const int x = static_cast<int>((s >> 8) % 854);
    s = s * 1103515245u + 12345u;
    const int y = static_cast<int>((s >> 8) % 260);
    const uint8_t b = static_cast<uint8_t>(170 + (s >> 24) % 80);
    c.Set(x, y, {b, b, static_cast<uint8_t>(b > 235 ? 255 : b + 20)});
  }
  c.FillCircle(780, 64, 36, {244, 236, 200});
  c.FillCircle(766, 54, 30, {236, 226, 186});
  c.FillCircle(792, 80, 7, {222, 212, 176});
  c.FillCircle(772, 48, 5, {226, 216, 180});
  // Far hills, near hills.
  c.FillTriangle(-60, 330, 200, 210, 430, 330, {58, 46, 92});
  c.FillTriangle(260, 330, 520, 190, 800, 330, {64, 50, 100});
  c.FillTriangle(600, 330, 820, 230, 1000, 330, {58, 46, 92});
  c.FillRect(0, 330, 854, 150, {40, 34, 64});
  c.FillEllipse(180, 400, 320, 70, {30, 44, 48});
  c.FillEllipse(700, 420, 300, 80, {26, 40, 44});
  c.FillRect(0, 440, 854, 40, {22, 34, 38});
  // The tower on the right-hand hill, with a lit window.
  c.FillRect(742, 250, 34, 120, {32, 28, 52});
  c.FillTriangle(736, 252, 782, 252, 759, 212, {36, 30, 58});
  c.FillRect(754, 290, 9, 14, {250, 206, 120});
  c.Speckle(0, 300, 854, 180, 4, 777);
  // The title with a soft shadow.
  const std::string title = "VELUNNA";
  const int cell = 10;
  const int x = (854 - WordWidth(title, cell)) / 2;
  DrawWord(c, title, x + 5, 66, cell, {20, 14, 36}, {20, 14, 36});
  DrawWord(c, title, x, 60, cell, {255, 244, 210}, {214, 150, 92});
  c.FillRect(x, 140, WordWidth(title, cell), 3, {214, 150, 92});
  // The green key would punch holes in the picture.
  c.ReplaceColor(kKeyGreen, {0, 254, 0});
  return c.SaveBmp(path);
}

bool DrawCommentWindow(const std::string& path) {
  // Light everywhere: the scene tints this sheet (blue window, dark panel) and, loaded with the
  // black key, uses it whole as the fade overlay, so neither key colour may appear.
  Canvas c(854, 480, {196, 204, 226});
  for (int y = 0; y < 480; y += 4) c.FillRect(0, y, 854, 1, {206, 212, 232});
  // The comment window in the top-left corner (240×48): frame, inner rim, face.
  c.FillRect(0, 0, 240, 48, {150, 160, 196});
  c.FillRect(2, 2, 236, 44, {236, 238, 246});
  c.FillRect(4, 4, 232, 40, {214, 220, 240});
  c.GradientRect(6, 6, 228, 36, {250, 250, 254}, {210, 216, 238});
  c.FillCircle(12, 12, 3, {170, 180, 214});
  c.FillCircle(228, 36, 3, {170, 180, 214});
  // The key-configuration panel (854×240): a framed board with row guides.
  c.FrameRect(0, 48, 854, 192, 3, {160, 170, 204});
  for (int y = 180; y < 240; y += 30) c.FillRect(190, y + 28, 460, 2, {176, 186, 218});
  c.ReplaceColor(kKeyBlack, {1, 1, 1});
  c.ReplaceColor(kKeyGreen, {0, 254, 0});
  return c.SaveBmp(path);
}

// A rounded plate with a rim, for one entry picture.
void Plate(Canvas& c, int top, Rgb face, Rgb rim) {
  c.FillRect(30, top + 6, 180, 52, rim);
  c.FillCircle(30, top + 32, 26, rim);
  c.FillCircle(210, top + 32, 26, rim);
  c.FillRect(30, top + 10, 180, 44, face);
  c.FillCircle(30, top + 32, 22, face);
  c.FillCircle(210, top + 32, 22, face);
  c.GradientRect(30, top + 12, 180, 10, artkit::Mix(face, {255, 255, 255}, 0.35f), face);
  for (int i = 0; i < 3; ++i) c.FillCircle(160 + i * 18, top + 32, 4, artkit::Mix(face, {255, 255, 255}, 0.6f));
}

bool DrawEntrySheet(const std::string& path) {
  Canvas c(240, 320, kKeyGreen);
  // Start: a sword.
  Plate(c, 0, {150, 64, 52}, {96, 36, 30});
  c.Line(40, 50, 84, 10, 6, {222, 226, 236});
  c.Line(42, 48, 84, 10, 2, {250, 250, 255});
  c.Line(36, 38, 52, 54, 4, {212, 176, 72});
  c.Line(30, 58, 40, 48, 5, {110, 70, 40});
  // Story: an open book.
  Plate(c, 64, {60, 96, 156}, {34, 56, 100});
  c.FillTriangle(34, 64 + 16, 66, 64 + 22, 66, 64 + 52, {246, 240, 222});
  c.FillTriangle(34, 64 + 16, 34, 64 + 46, 66, 64 + 52, {246, 240, 222});
  c.FillTriangle(98, 64 + 16, 66, 64 + 22, 66, 64 + 52, {236, 228, 206});
  c.FillTriangle(98, 64 + 16, 98, 64 + 46, 66, 64 + 52, {236, 228, 206});
  for (int i = 0; i < 4; ++i) {
    c.Line(40, 64 + 26 + i * 6, 60, 64 + 30 + i * 6, 1, {150, 140, 120});
    c.Line(72, 64 + 30 + i * 6, 92, 64 + 26 + i * 6, 1, {150, 140, 120});
  }
  // Continue: an hourglass (this entry is shown disabled in the demo list).
  Plate(c, 128, {112, 112, 120}, {70, 70, 78});
  c.FillRect(46, 128 + 12, 40, 5, {150, 120, 80});
  c.FillRect(46, 128 + 47, 40, 5, {150, 120, 80});
  c.FillTriangle(50, 128 + 17, 82, 128 + 17, 66, 128 + 32, {220, 226, 236});
  c.FillTriangle(50, 128 + 47, 82, 128 + 47, 66, 128 + 32, {220, 226, 236});
  c.FillTriangle(56, 128 + 47, 76, 128 + 47, 66, 128 + 37, {214, 186, 110});
  // Key configuration: a game pad.
  Plate(c, 192, {70, 128, 92}, {40, 82, 56});
  c.FillRect(38, 192 + 20, 56, 26, {232, 232, 240});
  c.FillCircle(38, 192 + 36, 12, {232, 232, 240});
  c.FillCircle(94, 192 + 36, 12, {232, 232, 240});
  c.FillRect(36, 192 + 30, 16, 5, {60, 60, 72});
  c.FillRect(41, 192 + 25, 5, 16, {60, 60, 72});
  c.FillCircle(86, 192 + 28, 4, {210, 70, 70});
  c.FillCircle(96, 192 + 36, 4, {70, 110, 210});
  // Quit: a door, ajar.
  Plate(c, 256, {120, 84, 140}, {76, 50, 92});
  c.FillRect(48, 256 + 14, 36, 42, {70, 46, 30});
  c.FillRect(52, 256 + 18, 28, 38, {250, 226, 150});
  c.FillTriangle(52, 256 + 18, 70, 256 + 22, 70, 256 + 56, {150, 100, 60});
  c.FillTriangle(52, 256 + 18, 52, 256 + 56, 70, 256 + 56, {150, 100, 60});
  c.FillCircle(66, 256 + 38, 2, {240, 210, 90});
  return c.SaveBmp(path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_ROOT\n", argv[0]);
    return 2;
  }
  const std::filesystem::path dir = std::filesystem::path(argv[1]) / "Data" / "Graphic";
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  const bool ok = DrawTitleBackground((dir / "startmenu.bmp").string()) &&
                  DrawCommentWindow((dir / "comment_window01.bmp").string()) &&
                  DrawEntrySheet((dir / "menu_entries.bmp").string());
  if (!ok) {
    std::fprintf(stderr, "artgen_startmenu: could not write the pictures into %s\n", dir.string().c_str());
    return 1;
  }
  return 0;
}
