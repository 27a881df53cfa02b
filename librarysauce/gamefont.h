#pragma once
// One font for drawing Shift-JIS text over the frame, and the game's four font slots.
// Rendered strings are kept as textures, so text drawn every frame is rendered only once.
#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>

#include "platform/types.h"

namespace platform {
struct TextFont;
}

class GameFont {
 public:
  GameFont() = default;
  ~GameFont();
  GameFont(const GameFont&) = delete;
  GameFont& operator=(const GameFont&) = delete;

  // Makes the font for a Shift-JIS face name, its line height being height pixels. Releases a
  // font already made first. A face that cannot be opened is reported and replaced by another
  // installed Japanese font; the result is 0 either way.
  HRESULT Create(const char* face, int height);
  HRESULT Release();
  // Draws text with its top-left corner at (left, top), unclipped; "\r\n" starts a new row.
  // Colour and alpha come from the ARGB colour. 0x80004005 when there is no font.
  HRESULT DrawText(const char* text, int left, int top, int right, int bottom, D3DCOLOR color);
  // Draws text right-aligned in the rectangle (x, y, width, height), clipped to it.
  HRESULT DrawTextRight(const char* text, int x, int y, int width, int height, D3DCOLOR color);
  int GetHeight() const { return height_; }
  // True when a font is made (for callers that want to know why nothing is drawn).
  bool HasFont() const { return font_ != nullptr; }

 private:
  struct Rendered {
    uint32_t texture = 0;
    int width = 0;
    int height = 0;
    std::list<std::string>::iterator age;
  };
  enum class Align { Left, Right };

  HRESULT Draw(const char* text, int left, int top, int right, int bottom, D3DCOLOR color, Align align, bool clip);
  const Rendered* RenderRow(const std::string& rowBytes);
  void ClearCache();

  platform::TextFont* font_ = nullptr;
  int height_ = 0;
  // Rendered rows by their Shift-JIS bytes, with the least recently drawn first in cacheOrder_.
  std::unordered_map<std::string, Rendered> cache_;
  std::list<std::string> cacheOrder_;
};

// The game's font slots: 0 menus, the field scene and the action scene's position text; 1 the ADV
// message window; 2 the FPS counter; 3 made but not drawn with.
constexpr int kFontSlotCount = 4;
extern GameFont g_Fonts[kFontSlotCount];
// The face (Shift-JIS) and height each slot is made with.
extern const char* const kFontSlotFace[kFontSlotCount];
extern const int kFontSlotHeight[kFontSlotCount];
