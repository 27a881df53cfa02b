#pragma once
// Image decoding for textures: BMP files to 32-bit ARGB pixels.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Every picture's budget, checked from its header before any of its pixels is set aside,
// whatever its compression: far above the game's largest sheet (1920 × 1152).
constexpr int64_t kImagePixelBudget = int64_t{64} * 1024 * 1024;
// The largest image file: the budget's pixels at 32 bits each, and room for headers and palette.
constexpr uint64_t kImageFileBudget = static_cast<uint64_t>(kImagePixelBudget) * 4 + 64 * 1024;

// Decodes the BMP file at path (a path on disk) into ARGB words, rows top to bottom. Width and
// height are the file's own. Images without an alpha channel come out opaque (alpha FF).
// Only a regular file within kImageFileBudget is read, and a header too short for its kind or
// promising more than kImagePixelBudget pixels (or more than a texture holds) is refused before
// decoding. On failure returns false and says why in *error.
bool LoadBmp(const std::string& path, std::vector<uint32_t>* argb, int* width, int* height, std::string* error);

// Why the image file at path (a path on disk) cannot be opened as one: it is missing or cannot be
// read (the system's words), or it is no regular file, or it is larger than kImageFileBudget.
std::string WhyImageFileCannotOpen(const std::string& path);

// Whether a GL texture of this id is alive (to check that textures are released).
bool IsLiveTexture(uint32_t texture);

// The largest texture side the current GL context accepts (0 when there is no context).
int MaxTextureSize();

}  // namespace platform
