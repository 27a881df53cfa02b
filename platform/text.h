#pragma once
// Text rendering with the installed IPA fonts through SDL2_ttf. The game asks for Japanese faces by
// name and for a cell height in pixels; a face is mapped onto the nearest installed font (Mincho
// faces onto IPA Mincho, the rest onto IPA Gothic) at the point size whose line height (ascent +
// descent) equals the cell height. Open fonts are shared: the same file at the same height is
// opened once however many game fonts use it, and stays open a while after the last one lets it
// go, so that a font made again costs no file and no size search.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct TextFont;  // one open font at one cell height (shared, reference-counted)

// The font files to try for a face name (UTF-8), best first: the IPA font of the face's style, then
// every other Japanese font the system may carry (whether or not it is installed).
std::vector<std::string> FontFilesForFace(const std::string& faceUtf8);
// Tests replace the candidate lists to exercise the fallback; empty lists restore the defaults.
void SetFontCandidates(const std::vector<std::string>& mincho, const std::vector<std::string>& gothic);

// Opens a font file so that its line height equals cellHeight pixels (the largest point size whose
// height does not exceed it). Null with a message in *error when the file cannot be opened.
TextFont* OpenTextFont(const std::string& file, int cellHeight, std::string* error);
void CloseTextFont(TextFont* font);
// How many times a font file has been opened so far (lets tests see that open faces are kept).
uint64_t FontFileOpenCount();
int TextFontHeight(const TextFont* font);
const std::string& TextFontFile(const TextFont* font);

// A rendered string: white pixels whose alpha is the glyph coverage, ARGB, rows top to bottom,
// packed (width words a row). Its height is the font's line height.
struct TextImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;
};
// Renders one row of UTF-8 text. False (and an empty image) for empty text or on failure.
bool RenderText(TextFont* font, const std::string& utf8, TextImage* out);
// How many strings have been rendered so far (lets tests see that a cache is hit).
uint64_t RenderedTextCount();

}  // namespace platform
