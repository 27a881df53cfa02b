#include "librarysauce/gamefont.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "librarysauce/graphicsdevice.h"
#include "platform/cp932.h"
#include "platform/gldevice.h"
#include "platform/text.h"

GameFont g_Fonts[kFontSlotCount];

const char* const kFontSlotFace[kFontSlotCount] = {
    "HG\x90\xb3\x9e\xb2\x8f\x91\x91\xcc-PRO",                 // HG正楷書体-PRO
    "HGP\x96\xbe\x92\xa9" "E",                                 // HGP明朝E
    "HGS\x91\x6e\x89\x70\xcc\xdf\xda\xbe\xde\xdd\xbd" "EB",  // HGS創英ﾌﾟﾚｾﾞﾝｽEB
    "HGS\x91\x6e\x89\x70\xcc\xdf\xda\xbe\xde\xdd\xbd" "EB",  // HGS創英ﾌﾟﾚｾﾞﾝｽEB
};
const int kFontSlotHeight[kFontSlotCount] = {18, 20, 18, 18};

namespace {
// Rendered rows kept per font; the least recently drawn goes first when the cache is full.
constexpr size_t kCacheLimit = 256;

// Fonts still held at exit are released by global destructors, possibly after the graphics
// device's own: their textures then go with the GL context instead of through the device.
bool g_exiting = false;
void NoteExit() { g_exiting = true; }
}  // namespace

GameFont::~GameFont() { Release(); }

HRESULT GameFont::Create(const char* face, int height) {
  // Registered after every global is made, so it runs before their destructors.
  static const bool exitNoted = (std::atexit(NoteExit), true);
  (void)exitNoted;
  Release();
  height_ = height;
  const std::string faceUtf8 = platform::Cp932ToUtf8(face ? face : "");
  std::string failures;
  for (const std::string& file : platform::FontFilesForFace(faceUtf8)) {
    std::string error;
    font_ = platform::OpenTextFont(file, height, &error);
    if (font_) break;
    failures += "\n  " + error;
  }
  if (!failures.empty() || !font_) {
    std::fprintf(stderr, "GameFont: face \"%s\" height %d: %s%s\n", faceUtf8.c_str(), height,
                 font_ ? "fell back to " : "no Japanese font could be opened",
                 font_ ? platform::TextFontFile(font_).c_str() : "");
    if (!failures.empty()) std::fprintf(stderr, "GameFont: failed:%s\n", failures.c_str());
  }
  // Callers go on whatever happened; a slot without a font draws nothing.
  return S_OK;
}

HRESULT GameFont::Release() {
  ClearCache();
  platform::CloseTextFont(font_);
  font_ = nullptr;
  return S_OK;
}

void GameFont::ClearCache() {
  platform::GlDevice* device = g_exiting ? nullptr : g_GraphicsDevice.GetDevice();
  if (device) {
    for (auto& entry : cache_) device->DeleteTexture(entry.second.texture);
  }
  cache_.clear();
  cacheOrder_.clear();
}

const GameFont::Rendered* GameFont::RenderRow(const std::string& rowBytes) {
  auto found = cache_.find(rowBytes);
  if (found != cache_.end()) {
    cacheOrder_.splice(cacheOrder_.end(), cacheOrder_, found->second.age);
    return &found->second;
  }
  platform::GlDevice* device = g_GraphicsDevice.GetDevice();
  platform::TextImage image;
  if (!platform::RenderText(font_, platform::Cp932ToUtf8(rowBytes), &image)) return nullptr;
  if (cache_.size() >= kCacheLimit) {
    auto oldest = cache_.find(cacheOrder_.front());
    device->DeleteTexture(oldest->second.texture);
    cache_.erase(oldest);
    cacheOrder_.pop_front();
  }
  Rendered rendered;
  rendered.texture = device->CreateTexture(image.width, image.height, image.argb.data());
  if (!rendered.texture) return nullptr;
  rendered.width = image.width;
  rendered.height = image.height;
  rendered.age = cacheOrder_.insert(cacheOrder_.end(), rowBytes);
  return &cache_.emplace(rowBytes, rendered).first->second;
}

HRESULT GameFont::Draw(const char* text, int left, int top, int right, int bottom, D3DCOLOR color, Align align,
                       bool clip) {
  if (!font_) return E_FAIL;
  platform::GlDevice* device = g_GraphicsDevice.GetDevice();
  if (!device || !text) return S_OK;
  // Rows end at "\n" (with or without "\r"); neither byte can be the second byte of a character.
  const char* row = text;
  for (int rowIndex = 0;; ++rowIndex) {
    const char* end = row;
    while (*end && *end != '\n') ++end;
    size_t length = static_cast<size_t>(end - row);
    if (length > 0 && row[length - 1] == '\r') --length;
    const Rendered* r = length > 0 ? RenderRow(std::string(row, length)) : nullptr;
    if (r) {
      const float x0 = static_cast<float>(align == Align::Right ? right - r->width : left);
      const float y0 = static_cast<float>(top + rowIndex * height_);
      float cx0 = x0, cy0 = y0, cx1 = x0 + r->width, cy1 = y0 + r->height;
      if (clip) {
        cx0 = std::max(cx0, static_cast<float>(left));
        cy0 = std::max(cy0, static_cast<float>(top));
        cx1 = std::min(cx1, static_cast<float>(right));
        cy1 = std::min(cy1, static_cast<float>(bottom));
      }
      if (cx1 > cx0 && cy1 > cy0) {
        const float u0 = (cx0 - x0) / r->width, u1 = (cx1 - x0) / r->width;
        const float v0 = (cy0 - y0) / r->height, v1 = (cy1 - y0) / r->height;
        const platform::ScreenVertex quad[4] = {
            {cx0, cy0, 0.0f, 1.0f, color, u0, v0},
            {cx1, cy0, 0.0f, 1.0f, color, u1, v0},
            {cx0, cy1, 0.0f, 1.0f, color, u0, v1},
            {cx1, cy1, 0.0f, 1.0f, color, u1, v1},
        };
        // Sprites leave their own states behind: set everything text needs for each quad.
        device->SetTexture(r->texture);
        device->SetTextureStage(platform::TextureStageOp::Modulate);
        device->SetBlendEnabled(true);
        device->SetBlendOp(platform::BlendOp::Add);
        device->SetBlendFactors(platform::BlendFactor::SrcAlpha, platform::BlendFactor::InvSrcAlpha);
        device->DrawQuadStrip(quad);
      }
    }
    if (!*end) break;
    row = end + 1;
  }
  return S_OK;
}

HRESULT GameFont::DrawText(const char* text, int left, int top, int right, int bottom, D3DCOLOR color) {
  return Draw(text, left, top, right, bottom, color, Align::Left, false);
}

HRESULT GameFont::DrawTextRight(const char* text, int x, int y, int width, int height, D3DCOLOR color) {
  return Draw(text, x, y, x + width, y + height, color, Align::Right, true);
}
