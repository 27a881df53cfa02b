#include "librarysauce/texture.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "librarysauce/filescrambler.h"
#include "librarysauce/graphicsdevice.h"
#include "platform/cp932.h"
#include "platform/image.h"
#include "platform/paths.h"

Texture* g_TextureTable = nullptr;
int g_TextureTableCount = 0;

namespace {

// Images are unscrambled into this file, decoded from it and then deleted.
constexpr const char* kTempPath = ".\\Data\\Temp\\GTempdata";

// "エラー：元ファイルのオープンに失敗しました。\n"
constexpr const char* kMsgSourceOpen =
    "\x83\x47\x83\x89\x81\x5b\x81\x46\x8c\xb3\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xcc\x83\x49\x81\x5b\x83\x76"
    "\x83\x93\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42\n";
// "エラー：変換後のファイルオープンに失敗しました。\n"
constexpr const char* kMsgTempOpen =
    "\x83\x47\x83\x89\x81\x5b\x81\x46\x95\xcf\x8a\xb7\x8c\xe3\x82\xcc\x83\x74\x83\x40\x83\x43\x83\x8b\x83\x49"
    "\x81\x5b\x83\x76\x83\x93\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42\n";
// "エラー：変換後のファイル削除に失敗しました。\n"
constexpr const char* kMsgTempDelete =
    "\x83\x47\x83\x89\x81\x5b\x81\x46\x95\xcf\x8a\xb7\x8c\xe3\x82\xcc\x83\x74\x83\x40\x83\x43\x83\x8b\x8d\xed"
    "\x8f\x9c\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42\n";
// "エラーファイル名：%s\n"
constexpr const char* kMsgFileName = "\x83\x47\x83\x89\x81\x5b\x83\x74\x83\x40\x83\x43\x83\x8b\x96\xbc\x81\x46%s\n";

// The console messages are game text (Shift-JIS); the console shows them as UTF-8.
void PrintLoadError(const char* message, const char* fileName) {
  char line[512];
  std::snprintf(line, sizeof line, kMsgFileName, fileName);
  std::fputs(platform::Cp932ToUtf8(message, std::strlen(message)).c_str(), stdout);
  std::fputs(platform::Cp932ToUtf8(line, std::strlen(line)).c_str(), stdout);
  std::fflush(stdout);
}

// Copies a path into a 256-byte name, cut short (never inside a two-byte character) if it is
// longer than 255 bytes.
void CopyName(char (&name)[256], const char* path) {
  std::memset(name, 0, sizeof name);
  size_t n = 0;
  while (path[n] != '\0') {
    const size_t width = platform::IsCp932LeadByte(static_cast<unsigned char>(path[n])) && path[n + 1] ? 2 : 1;
    if (n + width > sizeof name - 1) break;
    n += width;
  }
  std::memcpy(name, path, n);
}

// Why an image could not become a texture, on the error stream, which launchers and logs keep
// (the console messages above stay exactly as they are, on standard output).
void ReportBadImage(const char* path, const std::string& why) {
  std::fprintf(stderr, "Velunna: image %s: %s\n", platform::Cp932ToUtf8(path, std::strlen(path)).c_str(),
               why.c_str());
}

// Uploads decoded pixels as a GL texture; 0, and why in *error, when that cannot be done.
platform::TextureId Upload(int width, int height, const std::vector<uint32_t>& argb, std::string* error) {
  platform::GlDevice* device = g_GraphicsDevice.GetDevice();
  if (!device) {
    *error = "no graphics device";
    return 0;
  }
  const int maxSide = platform::MaxTextureSize();
  if (width <= 0 || height <= 0 || width > maxSide || height > maxSide) {
    *error = std::to_string(width) + "x" + std::to_string(height) + " does not fit a texture (largest side " +
             std::to_string(maxSide) + ")";
    return 0;
  }
  const platform::TextureId texture = device->CreateTexture(width, height, argb.data());
  if (!texture) *error = "the texture could not be created";
  return texture;
}

void DeleteGlTexture(platform::TextureId texture) {
  platform::GlDevice* device = g_GraphicsDevice.GetDevice();
  if (device && texture) device->DeleteTexture(texture);
}

}  // namespace

Texture::Texture() = default;
Texture::~Texture() { Release(); }

HRESULT Texture::LoadConverted(const char* path, D3DCOLOR colorKey) {
  // Any texture held goes first; the other fields keep their values until the load succeeds.
  DeleteGlTexture(texture_);
  texture_ = 0;
  if (!path) return E_FAIL;

  // The image file must be a regular file within the picture budget; anything else is missing.
  FILE* in = platform::OpenRegularFile(platform::ResolvePath(path), platform::kImageFileBudget);
  if (!in) {
    PrintLoadError(kMsgSourceOpen, path);
    ReportBadImage(path, platform::WhyImageFileCannotOpen(platform::ResolvePath(path)));
    return E_FAIL;
  }
  const std::string tempPath = platform::ResolvePath(kTempPath);
  FILE* out = std::fopen(tempPath.c_str(), "wb");
  if (!out) {
    // The temporary folder is made when it is missing, and the open tried once more.
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(tempPath).parent_path(), ec);
    out = std::fopen(tempPath.c_str(), "wb");
  }
  if (!out) {
    std::fclose(in);
    PrintLoadError(kMsgTempOpen, kTempPath);
    ReportBadImage(path, std::string("cannot unscramble it into ") + kTempPath);
    return E_FAIL;
  }
  g_FileScrambler.CopyFile(in, out);
  const bool readError = std::ferror(in) != 0;
  std::fclose(in);
  const bool writeError = std::fflush(out) != 0 || std::ferror(out) != 0;
  const bool closeError = std::fclose(out) != 0;

  std::vector<uint32_t> pixels;
  int width = 0;
  int height = 0;
  std::string error;
  platform::TextureId created = 0;
  if (readError || writeError || closeError) {
    error = std::string("cannot unscramble it into ") + kTempPath;
  } else if (platform::LoadBmp(tempPath, &pixels, &width, &height, &error)) {
    // Every pixel of exactly the key colour becomes transparent black.
    // (Written without a branch, so the compiler can do several pixels at a time.)
    if (colorKey != 0) {
      for (uint32_t& pixel : pixels) pixel = pixel == colorKey ? 0x00000000 : pixel;
    }
    created = Upload(width, height, pixels, &error);
  }

  // The unscrambled copy is deleted before the result of the load is looked at. A copy that
  // cannot be deleted is reported, and the picture just loaded is kept all the same.
  if (std::remove(tempPath.c_str()) != 0) PrintLoadError(kMsgTempDelete, kTempPath);
  return KeepLoaded(path, created, width, height, colorKey, error);
}

HRESULT Texture::LoadFromFile(const char* path) {
  DeleteGlTexture(texture_);
  texture_ = 0;
  if (!path) return E_FAIL;
  std::vector<uint32_t> pixels;
  int width = 0;
  int height = 0;
  std::string error;
  platform::TextureId created = 0;
  if (platform::LoadBmp(platform::ResolvePath(path), &pixels, &width, &height, &error)) {
    created = Upload(width, height, pixels, &error);
  }
  return KeepLoaded(path, created, width, height, 0, error);
}

HRESULT Texture::KeepLoaded(const char* path, platform::TextureId created, int width, int height, D3DCOLOR colorKey,
                            const std::string& error) {
  if (!created) {
    ReportBadImage(path, error);
    return E_FAIL;
  }
  texture_ = created;
  width_ = static_cast<uint32_t>(width);
  height_ = static_cast<uint32_t>(height);
  CopyName(name_, path);
  colorKey_ = colorKey;
  return S_OK;
}

HRESULT Texture::CreateRenderTarget(uint32_t width, uint32_t height, int /*format*/) {
  DeleteGlTexture(texture_);
  texture_ = 0;
  // Sizes are rounded up to powers of two; above 2^31 there is none in 32 bits.
  constexpr uint32_t kLargest = 0x80000000u;
  if (width > kLargest || height > kLargest) return E_FAIL;
  uint32_t w = 1;
  while (w < width) w <<= 1;
  uint32_t h = 1;
  while (h < height) h <<= 1;
  const uint32_t maxSide = static_cast<uint32_t>(platform::MaxTextureSize());
  if (w > maxSide || h > maxSide) return E_FAIL;
  // A new target starts cleared to transparent black. The GL device draws every frame into its
  // own framebuffer and has no depth buffer, so there is no depth surface to pair with it.
  const std::vector<uint32_t> clear(static_cast<size_t>(w) * h, 0x00000000);
  std::string error;
  const platform::TextureId created = Upload(static_cast<int>(w), static_cast<int>(h), clear, &error);
  if (!created) return E_FAIL;
  texture_ = created;
  width_ = w;
  height_ = h;
  CopyName(name_, "CreateTexture");
  colorKey_ = 0xFF000000;
  return S_OK;
}

HRESULT Texture::Release() {
  DeleteGlTexture(texture_);
  texture_ = 0;
  width_ = height_ = 0;
  std::memset(name_, 0, sizeof name_);
  colorKey_ = 0;
  return S_OK;
}

TextureInfo* Texture::GetInfo(TextureInfo* out) const {
  std::memcpy(out->name, name_, sizeof name_);
  out->colorKey = colorKey_;
  return out;
}
