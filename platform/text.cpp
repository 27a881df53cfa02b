#include "platform/text.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <list>
#include <map>
#include <utility>

namespace platform {

struct TextFont {
  TTF_Font* ttf = nullptr;
  std::string file;
  int cellHeight = 0;
  int height = 0;
  int users = 0;
};

namespace {

const std::vector<std::string> kDefaultMincho = {
    "/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf",
    "/usr/share/fonts/truetype/ipafont-mincho/ipam.ttf",
    "/usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf",
    "/usr/share/fonts/truetype/fonts-japanese-mincho.ttf",
};
const std::vector<std::string> kDefaultGothic = {
    "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
    "/usr/share/fonts/truetype/ipafont-gothic/ipag.ttf",
    "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf",
    "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf",
    "/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf",
};

std::vector<std::string> g_mincho = kDefaultMincho;
std::vector<std::string> g_gothic = kDefaultGothic;
uint64_t g_renderCount = 0;
uint64_t g_fileOpenCount = 0;

// Faces no game font uses any more stay open, up to this many, so that making a font again
// (the text log makes one for every line) neither opens the file nor searches the size again.
constexpr size_t kIdleFacesKept = 8;

// Open fonts by (file, cell height), and the unused ones among them, the longest unused first.
// Never destroyed: game fonts may be released by global destructors at exit, after this
// file's own statics would be gone.
std::map<std::pair<std::string, int>, TextFont*>& OpenFonts() {
  static auto* fonts = new std::map<std::pair<std::string, int>, TextFont*>();
  return *fonts;
}
std::list<TextFont*>& IdleFonts() {
  static auto* idle = new std::list<TextFont*>();
  return *idle;
}

bool IsMinchoFace(const std::string& faceUtf8) {
  if (faceUtf8.find("\xE6\x98\x8E\xE6\x9C\x9D") != std::string::npos) return true;  // 明朝
  std::string lower = faceUtf8;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  return lower.find("mincho") != std::string::npos;
}

bool EnsureTtf(std::string* error) {
  if (TTF_WasInit() > 0) return true;
  // SDL_ttf stays initialised for the life of the process: fonts may be closed at exit.
  if (TTF_Init() != 0) {
    if (error) *error = std::string("SDL_ttf: ") + TTF_GetError();
    return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> FontFilesForFace(const std::string& faceUtf8) {
  const bool mincho = IsMinchoFace(faceUtf8);
  std::vector<std::string> order = mincho ? g_mincho : g_gothic;
  const std::vector<std::string>& rest = mincho ? g_gothic : g_mincho;
  order.insert(order.end(), rest.begin(), rest.end());
  std::vector<std::string> files;
  for (const std::string& f : order) {
    if (std::find(files.begin(), files.end(), f) == files.end()) files.push_back(f);
  }
  return files;
}

void SetFontCandidates(const std::vector<std::string>& mincho, const std::vector<std::string>& gothic) {
  g_mincho = mincho.empty() ? kDefaultMincho : mincho;
  g_gothic = gothic.empty() ? kDefaultGothic : gothic;
}

TextFont* OpenTextFont(const std::string& file, int cellHeight, std::string* error) {
  if (cellHeight <= 0) {
    if (error) *error = "font height " + std::to_string(cellHeight) + " is not positive";
    return nullptr;
  }
  auto& fonts = OpenFonts();
  const auto key = std::make_pair(file, cellHeight);
  auto found = fonts.find(key);
  if (found != fonts.end()) {
    if (found->second->users++ == 0) IdleFonts().remove(found->second);
    return found->second;
  }
  struct stat st;
  if (stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    if (error) *error = file + ": no such font file";
    return nullptr;
  }
  if (!EnsureTtf(error)) return nullptr;
  TTF_Font* ttf = TTF_OpenFont(file.c_str(), cellHeight);
  ++g_fileOpenCount;
  if (!ttf) {
    if (error) *error = file + ": " + TTF_GetError();
    return nullptr;
  }
  // The line height grows with the point size: take the largest size that still fits the cell.
  int best = 1;
  for (int size = 1; size <= static_cast<long long>(cellHeight) * 2 + 8; ++size) {
    if (TTF_SetFontSize(ttf, size) != 0) break;
    if (TTF_FontHeight(ttf) > cellHeight) break;
    best = size;
  }
  TTF_SetFontSize(ttf, best);
  TextFont* font = new TextFont;
  font->ttf = ttf;
  font->file = file;
  font->cellHeight = cellHeight;
  font->height = TTF_FontHeight(ttf);
  font->users = 1;
  fonts[key] = font;
  return font;
}

void CloseTextFont(TextFont* font) {
  if (!font || --font->users > 0) return;
  std::list<TextFont*>& idle = IdleFonts();
  idle.push_back(font);
  if (idle.size() <= kIdleFacesKept) return;
  TextFont* oldest = idle.front();
  idle.pop_front();
  OpenFonts().erase(std::make_pair(oldest->file, oldest->cellHeight));
  TTF_CloseFont(oldest->ttf);
  delete oldest;
}

uint64_t FontFileOpenCount() { return g_fileOpenCount; }

int TextFontHeight(const TextFont* font) { return font ? font->height : 0; }

const std::string& TextFontFile(const TextFont* font) {
  static const std::string none;
  return font ? font->file : none;
}

bool RenderText(TextFont* font, const std::string& utf8, TextImage* out) {
  *out = TextImage{};
  if (!font || utf8.empty()) return false;
  const SDL_Color white = {255, 255, 255, 255};
  SDL_Surface* rendered = TTF_RenderUTF8_Blended(font->ttf, utf8.c_str(), white);
  if (!rendered) return false;
  ++g_renderCount;
  SDL_Surface* surface = rendered;
  if (rendered->format->format != SDL_PIXELFORMAT_ARGB8888) {
    surface = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    if (!surface) return false;
  }
  out->width = surface->w;
  out->height = surface->h;
  out->argb.resize(static_cast<size_t>(surface->w) * surface->h);
  SDL_LockSurface(surface);
  for (int y = 0; y < surface->h; ++y) {
    const uint32_t* row =
        reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch);
    for (int x = 0; x < surface->w; ++x) {
      // Keep the coverage only: the colour comes from the vertices when the text is drawn.
      out->argb[static_cast<size_t>(y) * surface->w + x] = (row[x] & 0xFF000000u) | 0x00FFFFFFu;
    }
  }
  SDL_UnlockSurface(surface);
  SDL_FreeSurface(surface);
  return true;
}

uint64_t RenderedTextCount() { return g_renderCount; }

}  // namespace platform
