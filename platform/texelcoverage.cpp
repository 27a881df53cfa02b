#include "platform/texelcoverage.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

// An inclusive run of texels along one side, counted past the edges as repeat addressing wraps
// it, as at most two runs inside 0..size-1. Returns how many.
int WrapRun(int64_t first, int64_t last, int size, int runs[2][2]) {
  if (last - first + 1 >= size) {
    runs[0][0] = 0;
    runs[0][1] = size - 1;
    return 1;
  }
  const int64_t start = ((first % size) + size) % size;
  const int64_t end = start + (last - first);
  if (end < size) {
    runs[0][0] = static_cast<int>(start);
    runs[0][1] = static_cast<int>(end);
    return 1;
  }
  runs[0][0] = static_cast<int>(start);
  runs[0][1] = size - 1;
  runs[1][0] = 0;
  runs[1][1] = static_cast<int>(end - size);
  return 2;
}

}  // namespace

void TexelCoverage::Note(int width, int height, const uint32_t* argb) {
  known_ = argb != nullptr && width > 0 && height > 0;
  opaque_ = clear_ = solid_ = false;
  width_ = known_ ? width : 0;
  height_ = known_ ? height : 0;
  sumsStride_ = 0;
  sums_.clear();
  sums_.shrink_to_fit();
  if (!known_) return;

  const int blocksWide = (width + kBlock - 1) / kBlock;
  const int blocksHigh = (height + kBlock - 1) / kBlock;
  const int fullBlocks = width / kBlock;
  // Each block's texels OR-ed together (an alpha byte above 0 where a texel shows) and every
  // texel AND-ed together, two texels to a 64-bit word and a block's four rows at once: this pass
  // reads every texel of every texture a stage loads. A block cut short at the bottom reads its
  // last row again in place of the rows it lacks.
  static_assert(kBlock == 4, "a block's row is two 64-bit words");
  constexpr uint64_t kAlphas = 0xFF000000FF000000u;
  std::vector<uint8_t> visibleBlocks(static_cast<size_t>(blocksWide) * blocksHigh);
  uint64_t allTexels = ~uint64_t{0};
  for (int by = 0; by < blocksHigh; ++by) {
    const uint32_t* r0 = argb + static_cast<size_t>(by) * kBlock * width;
    const int rowsIn = std::min(kBlock, height - by * kBlock);
    const uint32_t* r1 = rowsIn > 1 ? r0 + width : r0;
    const uint32_t* r2 = rowsIn > 2 ? r1 + width : r1;
    const uint32_t* r3 = rowsIn > 3 ? r2 + width : r2;
    uint8_t* visible = &visibleBlocks[static_cast<size_t>(by) * blocksWide];
    for (int b = 0; b < fullBlocks; ++b) {
      uint64_t w[8];
      std::memcpy(w, r0 + b * kBlock, 16);
      std::memcpy(w + 2, r1 + b * kBlock, 16);
      std::memcpy(w + 4, r2 + b * kBlock, 16);
      std::memcpy(w + 6, r3 + b * kBlock, 16);
      const uint64_t any = (w[0] | w[1]) | (w[2] | w[3]) | (w[4] | w[5]) | (w[6] | w[7]);
      allTexels &= (w[0] & w[1]) & (w[2] & w[3]) & (w[4] & w[5]) & (w[6] & w[7]);
      visible[b] = (any & kAlphas) != 0 ? 1 : 0;
    }
    for (int x = fullBlocks * kBlock; x < width; ++x) {
      const uint32_t any = r0[x] | r1[x] | r2[x] | r3[x];
      allTexels &= (r0[x] & r1[x] & r2[x] & r3[x]) | 0xFFFFFFFF00000000u;
      visible[fullBlocks] |= (any >> 24) != 0 ? 1 : 0;
    }
  }
  opaque_ = (allTexels & kAlphas) == kAlphas;
  const size_t visible = static_cast<size_t>(std::count(visibleBlocks.begin(), visibleBlocks.end(), uint8_t{1}));
  clear_ = visible == 0;
  solid_ = visible == visibleBlocks.size();
  if (clear_ || solid_) return;

  sumsStride_ = blocksWide + 1;
  sums_.assign(static_cast<size_t>(sumsStride_) * (blocksHigh + 1), 0);
  for (int by = 0; by < blocksHigh; ++by) {
    uint32_t rowSum = 0;
    for (int bx = 0; bx < blocksWide; ++bx) {
      rowSum += visibleBlocks[static_cast<size_t>(by) * blocksWide + bx];
      const size_t at = static_cast<size_t>(by + 1) * sumsStride_ + bx + 1;
      sums_[at] = sums_[at - sumsStride_] + rowSum;
    }
  }
}

bool TexelCoverage::BlocksClear(int x0, int x1, int y0, int y1) const {
  const size_t left = static_cast<size_t>(x0) / kBlock, right = static_cast<size_t>(x1) / kBlock + 1;
  const size_t top = static_cast<size_t>(y0) / kBlock, bottom = static_cast<size_t>(y1) / kBlock + 1;
  const size_t stride = static_cast<size_t>(sumsStride_);
  // Unsigned wrap-around cancels out: the true count is never negative.
  const uint32_t count = sums_[bottom * stride + right] - sums_[top * stride + right] -
                         sums_[bottom * stride + left] + sums_[top * stride + left];
  return count == 0;
}

bool TexelCoverage::Transparent(int64_t x0, int64_t x1, int64_t y0, int64_t y1) const {
  if (!known_ || x1 < x0 || y1 < y0) return false;
  if (clear_) return true;
  if (solid_) return false;
  if (x0 >= 0 && x1 < width_ && y0 >= 0 && y1 < height_) {
    return BlocksClear(static_cast<int>(x0), static_cast<int>(x1), static_cast<int>(y0), static_cast<int>(y1));
  }
  int columns[2][2], rows[2][2];
  const int columnRuns = WrapRun(x0, x1, width_, columns);
  const int rowRuns = WrapRun(y0, y1, height_, rows);
  for (int c = 0; c < columnRuns; ++c) {
    for (int r = 0; r < rowRuns; ++r) {
      if (!BlocksClear(columns[c][0], columns[c][1], rows[r][0], rows[r][1])) return false;
    }
  }
  return true;
}

}  // namespace platform
