#pragma once
// Image decoding for textures: BMP files to 32-bit ARGB pixels.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Decodes the BMP file at path (a path on disk) into ARGB words, rows top to bottom. Width and
// height are the file's own. Images without an alpha channel come out opaque (alpha FF).
// On failure returns false and says why in *error.
bool LoadBmp(const std::string& path, std::vector<uint32_t>* argb, int* width, int* height, std::string* error);

// Whether a GL texture of this id is alive (to check that textures are released).
bool IsLiveTexture(uint32_t texture);

// The largest texture side the current GL context accepts (0 when there is no context).
int MaxTextureSize();

}  // namespace platform
