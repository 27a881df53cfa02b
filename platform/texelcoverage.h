#pragma once
// What the device knows of one texture's texels, for leaving out what cannot show: whether every
// texel is opaque, and where any texel is not wholly transparent (alpha above 0). The second is
// kept per block of 4 × 4 texels as a summed-area table, so that whether a rectangle of texels is
// wholly transparent is answered in constant time. "Transparent" is always exact; a rectangle
// that only shares a block with a visible texel is answered "may show", which costs a draw and
// never a pixel. Small: one 32-bit sum per block, and none for textures that are wholly opaque or
// wholly transparent.
#include <cstdint>
#include <vector>

namespace platform {

class TexelCoverage {
 public:
  static constexpr int kBlock = 4;

  // The texture's new contents: ARGB texels, rows top to bottom; null when they are undefined.
  void Note(int width, int height, const uint32_t* argb);
  bool Known() const { return known_; }
  bool Opaque() const { return known_ && opaque_; }
  // Whether some block of texels is wholly transparent (so that a rectangle can be).
  bool HasClearBlocks() const { return known_ && !solid_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Whether every texel of columns x0..x1 and rows y0..y1 (inclusive; outside the texture they
  // wrap around it, as repeat addressing does) is wholly transparent. False when not known.
  bool Transparent(int64_t x0, int64_t x1, int64_t y0, int64_t y1) const;

 private:
  // Whether no block holding texels of columns x0..x1, rows y0..y1 (inside the texture) shows.
  bool BlocksClear(int x0, int x1, int y0, int y1) const;

  bool known_ = false;
  bool opaque_ = false;   // every alpha is 255
  bool clear_ = false;    // every alpha is 0
  bool solid_ = false;    // every block holds a visible texel
  int width_ = 0;
  int height_ = 0;
  int sumsStride_ = 0;          // blocks across + 1
  std::vector<uint32_t> sums_;  // visible blocks above and left of each block corner
};

}  // namespace platform
