#pragma once
// A small drawing kit for the game's own art generators: an RGB canvas with a few shapes,
// written out as a BMP. Deterministic: the same program always draws the same pictures.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace artkit {

struct Rgb {
  uint8_t r, g, b;
};

inline Rgb Mix(Rgb a, Rgb b, float t) {
  auto m = [t](uint8_t x, uint8_t y) { return static_cast<uint8_t>(std::lround(x + (y - x) * t)); };
  return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

class Canvas {
 public:
  Canvas(int width, int height, Rgb fill = {0, 0, 0})
      : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

  int Width() const { return width_; }
  int Height() const { return height_; }

  void Set(int x, int y, Rgb c) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[static_cast<size_t>(y) * width_ + x] = c;
  }
  Rgb Get(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

  void FillRect(int x, int y, int w, int h, Rgb c) {
    for (int j = y; j < y + h; ++j)
      for (int i = x; i < x + w; ++i) Set(i, j, c);
  }
  // A rectangle's outline, thickness pixels wide, drawn inside the rectangle.
  void FrameRect(int x, int y, int w, int h, int thickness, Rgb c) {
    FillRect(x, y, w, thickness, c);
    FillRect(x, y + h - thickness, w, thickness, c);
    FillRect(x, y, thickness, h, c);
    FillRect(x + w - thickness, y, thickness, h, c);
  }
  // Top-to-bottom gradient over a rectangle.
  void GradientRect(int x, int y, int w, int h, Rgb top, Rgb bottom) {
    for (int j = 0; j < h; ++j) FillRect(x, y + j, w, 1, Mix(top, bottom, h > 1 ? float(j) / (h - 1) : 0.f));
  }
  void FillCircle(float cx, float cy, float radius, Rgb c) {
    for (int j = int(cy - radius) - 1; j <= int(cy + radius) + 1; ++j)
      for (int i = int(cx - radius) - 1; i <= int(cx + radius) + 1; ++i) {
        const float dx = i + 0.5f - cx, dy = j + 0.5f - cy;
        if (dx * dx + dy * dy <= radius * radius) Set(i, j, c);
      }
  }
  void FillEllipse(float cx, float cy, float rx, float ry, Rgb c) {
    for (int j = int(cy - ry) - 1; j <= int(cy + ry) + 1; ++j)
      for (int i = int(cx - rx) - 1; i <= int(cx + rx) + 1; ++i) {
        const float dx = (i + 0.5f - cx) / rx, dy = (j + 0.5f - cy) / ry;
        if (dx * dx + dy * dy <= 1.f) Set(i, j, c);
      }
  }
  // Filled triangle (any winding).
  void FillTriangle(float x0, float y0, float x1, float y1, float x2, float y2, Rgb c) {
    const int minX = int(std::floor(std::fmin(x0, std::fmin(x1, x2))));
    const int maxX = int(std::ceil(std::fmax(x0, std::fmax(x1, x2))));
    const int minY = int(std::floor(std::fmin(y0, std::fmin(y1, y2))));
    const int maxY = int(std::ceil(std::fmax(y0, std::fmax(y1, y2))));
    auto edge = [](float ax, float ay, float bx, float by, float px, float py) {
      return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
    };
    for (int j = minY; j <= maxY; ++j)
      for (int i = minX; i <= maxX; ++i) {
        const float px = i + 0.5f, py = j + 0.5f;
        const float e0 = edge(x0, y0, x1, y1, px, py), e1 = edge(x1, y1, x2, y2, px, py),
                    e2 = edge(x2, y2, x0, y0, px, py);
        if ((e0 >= 0 && e1 >= 0 && e2 >= 0) || (e0 <= 0 && e1 <= 0 && e2 <= 0)) Set(i, j, c);
      }
  }
  void Line(float x0, float y0, float x1, float y1, float thickness, Rgb c) {
    const float len = std::hypot(x1 - x0, y1 - y0);
    const int steps = int(len * 2) + 1;
    for (int s = 0; s <= steps; ++s) {
      const float t = float(s) / steps;
      FillCircle(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, thickness / 2, c);
    }
  }
  // Deterministic speckle: shifts each pixel's brightness by up to ±amount.
  void Speckle(int x, int y, int w, int h, int amount, uint32_t seed) {
    uint32_t s = seed ? seed : 1;
    for (int j = y; j < y + h; ++j)
      for (int i = x; i < x + w; ++i) {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        if (i < 0 || j < 0 || i >= width_ || j >= height_) continue;
        const int d = int(s % (2 * amount + 1)) - amount;
        Rgb p = Get(i, j);
        auto clamp = [](int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
        Set(i, j, {clamp(p.r + d), clamp(p.g + d), clamp(p.b + d)});
      }
  }
  // Copies a whole picture in with its top-left corner at (x, y); what falls outside is cut off.
  void Paste(const Canvas& from, int x, int y) {
    for (int j = 0; j < from.height_; ++j)
      for (int i = 0; i < from.width_; ++i) Set(x + i, y + j, from.Get(i, j));
  }
  // Replaces every pixel of colour from by colour to (keeps key colours out of a picture).
  void ReplaceColor(Rgb from, Rgb to) {
    for (Rgb& p : pixels_)
      if (p.r == from.r && p.g == from.g && p.b == from.b) p = to;
  }

  // Writes a bottom-up BMP: 8 bits a pixel with a palette when the picture has at most 256
  // colours (the game's drawings mostly have a handful, and a third of the bytes is faster to
  // unscramble and load; 4-bit pixels would be smaller still but decode slower), 24 bits a pixel
  // otherwise. Returns false when the file cannot be written.
  bool SaveBmp(const std::string& path) const {
    // The palette in the order the colours first appear, so the same picture gives the same file.
    std::vector<uint32_t> palette;
    std::vector<uint8_t> indices(pixels_.size());
    for (size_t i = 0; i < pixels_.size() && palette.size() <= 256; ++i) {
      const uint32_t rgb = Packed(pixels_[i]);
      size_t at = 0;
      while (at < palette.size() && palette[at] != rgb) ++at;
      if (at == palette.size()) palette.push_back(rgb);
      indices[i] = static_cast<uint8_t>(at);
    }
    const int bits = palette.size() <= 256 ? 8 : 24;
    if (bits == 24) palette.clear();
    const int rowBytes = (width_ * bits + 31) / 32 * 4;
    const uint32_t dataOffset = 54 + static_cast<uint32_t>(palette.size()) * 4;
    const uint32_t dataSize = static_cast<uint32_t>(rowBytes) * height_;
    std::vector<uint8_t> out(dataOffset + dataSize, 0);
    auto put16 = [&](size_t at, uint32_t v) { out[at] = v & 0xFF; out[at + 1] = (v >> 8) & 0xFF; };
    auto put32 = [&](size_t at, uint32_t v) { put16(at, v & 0xFFFF); put16(at + 2, v >> 16); };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, dataOffset + dataSize);
    put32(10, dataOffset);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width_));
    put32(22, static_cast<uint32_t>(height_));
    put16(26, 1);
    put16(28, static_cast<uint32_t>(bits));
    put32(34, dataSize);
    put32(38, 2835);
    put32(42, 2835);
    put32(46, static_cast<uint32_t>(palette.size()));
    for (size_t i = 0; i < palette.size(); ++i) put32(54 + i * 4, palette[i]);  // B, G, R, 0
    for (int y = 0; y < height_; ++y) {
      uint8_t* row = &out[dataOffset + static_cast<size_t>(height_ - 1 - y) * rowBytes];
      const size_t first = static_cast<size_t>(y) * width_;
      for (int x = 0; x < width_; ++x) {
        if (bits == 8) {
          row[x] = indices[first + x];
        } else {
          const Rgb p = pixels_[first + x];
          row[x * 3] = p.b;
          row[x * 3 + 1] = p.g;
          row[x * 3 + 2] = p.r;
        }
      }
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
  }

 private:
  static uint32_t Packed(Rgb p) { return static_cast<uint32_t>(p.r) << 16 | static_cast<uint32_t>(p.g) << 8 | p.b; }

  int width_;
  int height_;
  std::vector<Rgb> pixels_;
};

}  // namespace artkit
