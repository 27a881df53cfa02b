#include "librarysauce/textlog.h"

#include <cstring>

#include "librarysauce/frameclock.h"
#include "platform/cp932.h"

TextLog g_TextLog;

namespace {

constexpr const char* kDefaultFace = "HGP\x91\x6e\x89\x70\x8a\x70\xce\xdf\xaf\xcc\xdf\x91\xcc";  // HGP創英角ﾎﾟｯﾌﾟ体
constexpr int kDefaultHeight = 28;
constexpr int kDefaultX = 40;
constexpr D3DCOLOR kDefaultColor = 0xFFFFFFFF;
constexpr int kTopY = 20;
constexpr int kWrapX = 640;

int Next(int line) { return (line + 1) & 0xFF; }
int Prev(int line) { return (line + 255) & 0xFF; }

// Copies at most length bytes of text, stopping at its 0 byte, into a buffer of capacity bytes
// (cleared first, always 0-terminated). A cut never splits a two-byte Shift-JIS character.
void CopyText(char* buffer, size_t capacity, const char* text, int length) {
  std::memset(buffer, 0, capacity);
  if (!text || length <= 0) return;
  size_t limit = static_cast<size_t>(length);
  if (limit > capacity - 1) limit = capacity - 1;
  const size_t available = strnlen(text, limit);
  size_t end = 0;
  while (end < available) {
    const size_t width = platform::IsCp932LeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + width > available) break;
    end += width;
  }
  std::memcpy(buffer, text, end);
}

// Rows in a line (1 + its "\r\n" count) and the bytes in its last row.
void MeasureRows(const char* line, int* rows, int* lastRowBytes) {
  *rows = 1;
  const char* rowStart = line;
  for (const char* p = line; *p; ++p) {
    if (p[0] == '\r' && p[1] == '\n') {
      ++*rows;
      rowStart = p + 2;
    }
  }
  *lastRowBytes = static_cast<int>(std::strlen(rowStart));
}

}  // namespace

TextLog::TextLog() : lastLineTimeMs_(0) { Reset(); }

TextLog::~TextLog() { ReleaseFonts(); }

void TextLog::Reset() {
  std::memset(pending_, 0, sizeof pending_);
  std::memset(lines_, 0, sizeof lines_);
  std::memset(age_, 0, sizeof age_);
  value_ = 30;
  CopyText(defaultFace_, sizeof defaultFace_, kDefaultFace, kFaceBytes);
  defaultHeight_ = kDefaultHeight;
  defaultX_ = kDefaultX;
  defaultColor_ = kDefaultColor;
  for (LineFont& font : lineFont_) {
    std::memcpy(font.face, defaultFace_, sizeof font.face);
    font.height = defaultHeight_;
    font.x = defaultX_;
    font.color = defaultColor_;
  }
  head_ = 0;
}

HRESULT TextLog::AddLine(const char* text, int length) {
  CopyText(pending_, sizeof pending_, text, length);
  LineFont& font = lineFont_[head_];
  std::memcpy(font.face, defaultFace_, sizeof font.face);
  font.height = defaultHeight_;
  font.x = defaultX_;
  font.color = defaultColor_;
  fonts_[head_].Create(font.face, font.height);
  age_[head_] += 1;
  // The line after the current one starts the oldest run: clear every line of that run (never
  // the current line itself, even when all lines share one age).
  const int next = Next(head_);
  const int runAge = age_[next];
  if (runAge > 0) {
    for (int line = next, n = 0; n < kLineCount - 1 && line != head_ && age_[line] == runAge; line = Next(line), ++n) {
      std::memset(lines_[line], 0, sizeof lines_[line]);
      fonts_[line].Release();
      age_[line] = 0;
    }
  }
  lastLineTimeMs_ = g_FrameClock.GetTime();
  return S_OK;
}

int TextLog::IsDone() const { return age_[head_] > 0 ? 1 : 0; }

void TextLog::AgeLines() {
  // At most the 255 lines before the current one, so a log whose every line has an age ends.
  for (int line = Prev(head_), n = 0; n < kLineCount - 1 && age_[line] > 0; line = Prev(line), ++n) {
    age_[line] += 1;
  }
}

HRESULT TextLog::Draw() { return S_OK; }

void TextLog::SetFace(const char* text, int length) { CopyText(defaultFace_, sizeof defaultFace_, text, length); }

void TextLog::RecreateFonts() {
  // Only lines that hold text get a font: the others would open font files for nothing.
  for (int line = 0; line < kLineCount; ++line) {
    if (age_[line] > 0) fonts_[line].Create(lineFont_[line].face, lineFont_[line].height);
  }
}

void TextLog::ReleaseFonts() {
  for (GameFont& font : fonts_) font.Release();
}

TextLog::Point TextLog::GetNextLinePos() const {
  const int prev = Prev(head_);
  if (age_[prev] != 1 && age_[head_] == 0) return Point{lineFont_[head_].x, kTopY};
  // The run that ends the log: back from the line before the current one while the ages match.
  const int end = age_[head_] != 0 ? head_ : prev;
  const int runAge = age_[end];
  int line = prev;
  for (int n = 0; n < kLineCount - 1 && age_[line] == runAge; ++n) line = Prev(line);
  int y = kTopY;
  int rows = 0, lastRowBytes = 0;
  for (line = Next(line); line != end; line = Next(line)) {
    MeasureRows(lines_[line], &rows, &lastRowBytes);
    y += (lineFont_[line].height + 1) * rows;
  }
  const LineFont& font = lineFont_[end];
  MeasureRows(lines_[end], &rows, &lastRowBytes);
  y += (font.height + 1) * (rows - 1);
  // Each byte advances half the font height.
  int x = font.x + static_cast<int>(static_cast<float>(font.height) / 2 * static_cast<float>(lastRowBytes));
  if (x + font.height > kWrapX) {
    x = font.x;
    y += font.height;
  }
  return Point{x, y};
}
