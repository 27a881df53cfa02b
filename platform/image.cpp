#include "platform/image.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/paths.h"

namespace platform {
namespace {

// The largest texture side when no GL context can say (Direct3D 9's own limit).
constexpr int64_t kLargestSideWithoutContext = 16384;

uint32_t LittleEndian(const unsigned char* bytes, int count) {
  uint32_t value = 0;
  for (int i = 0; i < count; ++i) value |= static_cast<uint32_t>(bytes[i]) << (8 * i);
  return value;
}

// The decoder sets aside the whole picture that a BMP header promises before it reads a pixel,
// so a damaged header of a few bytes could ask for gigabytes. Refuse, from the header alone, a
// header too short for its own kind, a picture over the pixel budget or larger than any texture,
// and an uncompressed one whose rows cannot fit in the file. Files that are no BMP at all are
// left to the decoder to reject.
bool CheckBmpHeader(FILE* file, int64_t fileSize, std::string* error) {
  unsigned char header[34] = {};
  const size_t got = std::fread(header, 1, sizeof header, file);
  if (got < 2 || header[0] != 'B' || header[1] != 'M') return true;

  // The file header (14 bytes), then an information header that begins with its own size: 12
  // for the old core header, 40 or more for the others.
  const uint32_t infoSize = got >= 18 ? LittleEndian(header + 14, 4) : 0;
  if (infoSize != 12 && infoSize < 40) {
    *error = "its header is too short or of no known kind";
    return false;
  }
  if (fileSize < 14 + static_cast<int64_t>(infoSize)) {
    *error = "the file ends inside its " + std::to_string(infoSize) + "-byte header";
    return false;
  }
  int64_t width = 0;
  int64_t height = 0;
  uint32_t bitsPerPixel = 0;
  uint32_t compression = 0;
  if (infoSize == 12) {  // 16-bit sides, no compression
    width = LittleEndian(header + 18, 2);
    height = LittleEndian(header + 20, 2);
    bitsPerPixel = LittleEndian(header + 24, 2);
  } else {
    width = static_cast<int32_t>(LittleEndian(header + 18, 4));
    height = static_cast<int32_t>(LittleEndian(header + 22, 4));
    bitsPerPixel = LittleEndian(header + 28, 2);
    compression = LittleEndian(header + 30, 4);
  }
  if (width < 0) width = -width;
  if (height < 0) height = -height;

  const int64_t largest = MaxTextureSize() > 0 ? MaxTextureSize() : kLargestSideWithoutContext;
  if (width > largest || height > largest || width * height > kImagePixelBudget) {
    *error = std::to_string(width) + "x" + std::to_string(height) + " is larger than a picture may be (at most " +
             std::to_string(kImagePixelBudget) + " pixels, largest side " + std::to_string(largest) + ")";
    return false;
  }
  // Uncompressed rows (plain or with colour masks) are padded to 4 bytes and all stored.
  const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
  const int64_t rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
  if (uncompressed && rowBytes * height > fileSize) {
    *error = "the file is shorter than the " + std::to_string(width) + "x" + std::to_string(height) +
             " pixels its header promises";
    return false;
  }
  return true;
}

}  // namespace

std::string WhyImageFileCannotOpen(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return std::strerror(errno);
  if (!S_ISREG(st.st_mode)) return "not a regular file";
  if (st.st_size < 0 || static_cast<uint64_t>(st.st_size) > kImageFileBudget) {
    return std::to_string(st.st_size) + " bytes, more than an image file may have (" +
           std::to_string(kImageFileBudget) + ")";
  }
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::strerror(errno);
  close(fd);
  return "it could not be opened";
}

bool LoadBmp(const std::string& path, std::vector<uint32_t>* argb, int* width, int* height, std::string* error) {
  std::string why;
  FILE* file = OpenRegularFile(path, kImageFileBudget);
  if (!file) {
    if (error) *error = WhyImageFileCannotOpen(path);
    return false;
  }
  struct stat st;
  const int64_t fileSize = fstat(fileno(file), &st) == 0 ? static_cast<int64_t>(st.st_size) : 0;
  if (!CheckBmpHeader(file, fileSize, &why) || std::fseek(file, 0, SEEK_SET) != 0) {
    std::fclose(file);
    if (error) *error = why;
    return false;
  }
  SDL_RWops* stream = SDL_RWFromFP(file, SDL_TRUE);
  if (!stream) {
    std::fclose(file);
    if (error) *error = SDL_GetError();
    return false;
  }
  SDL_Surface* loaded = SDL_LoadBMP_RW(stream, 1);
  if (!loaded) {
    if (error) *error = std::string("not a readable BMP image (") + SDL_GetError() + ")";
    return false;
  }
  SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  if (!converted) {
    if (error) *error = std::string("cannot convert its pixels (") + SDL_GetError() + ")";
    return false;
  }
  const int w = converted->w;
  const int h = converted->h;
  SDL_LockSurface(converted);
  const unsigned char* pixels = static_cast<const unsigned char*>(converted->pixels);
  if (converted->pitch == w * static_cast<int>(sizeof(uint32_t))) {
    // Rows back to back: one copy, with nothing cleared first.
    const uint32_t* words = reinterpret_cast<const uint32_t*>(pixels);
    argb->assign(words, words + static_cast<size_t>(w) * static_cast<size_t>(h));
  } else {
    argb->assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    for (int y = 0; y < h; ++y) {
      std::memcpy(argb->data() + static_cast<size_t>(y) * w, pixels + static_cast<size_t>(y) * converted->pitch,
                  static_cast<size_t>(w) * sizeof(uint32_t));
    }
  }
  SDL_UnlockSurface(converted);
  SDL_FreeSurface(converted);
  *width = w;
  *height = h;
  return true;
}

bool IsLiveTexture(uint32_t texture) {
  return texture != 0 && SDL_GL_GetCurrentContext() && glIsTexture(texture) == GL_TRUE;
}

int MaxTextureSize() {
  if (!SDL_GL_GetCurrentContext()) return 0;
  GLint size = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
  return size;
}

}  // namespace platform
