#pragma once
// Puts textures made directly on the device into Texture entries, so sprite tests and
// benchmarks can draw real pictures without image files.
#include <cstdint>
#include <functional>
#include <vector>

#include "librarysauce/texture.h"
#include "platform/gldevice.h"

struct TextureTestAccess {
  static void Set(Texture* texture, platform::TextureId id, uint32_t width, uint32_t height) {
    texture->texture_ = id;
    texture->width_ = width;
    texture->height_ = height;
  }
};

namespace testsupport {

// Makes a width × height texture on the device whose texel (x, y) is pixel(x, y), ARGB, and
// stores it with its size in *texture.
inline void MakeTexture(platform::GlDevice* device, Texture* texture, int width, int height,
                        const std::function<uint32_t(int, int)>& pixel) {
  std::vector<uint32_t> texels(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) texels[static_cast<size_t>(y) * width + x] = pixel(x, y);
  }
  TextureTestAccess::Set(texture, device->CreateTexture(width, height, texels.data()), width, height);
}

}  // namespace testsupport
