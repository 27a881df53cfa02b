#pragma once
// The text log: the store behind the script's "#text" command. A ring of 256 text lines, each with
// its own font settings, font and age, and the default font settings new lines take. The log
// shows nothing on screen; a line counts as done as soon as it has been added.
#include <cstdint>

#include "librarysauce/gamefont.h"
#include "platform/types.h"

class TextLog {
 public:
  static constexpr int kLineCount = 256;
  static constexpr int kLineBytes = 512;
  static constexpr int kFaceBytes = 64;

  struct LineFont {
    char face[kFaceBytes];
    int height;
    int x;
    D3DCOLOR color;
  };
  struct Point {
    int x;
    int y;
  };

  TextLog();
  ~TextLog();
  TextLog(const TextLog&) = delete;
  TextLog& operator=(const TextLog&) = delete;

  void Reset();
  // Takes a line of text (at most length bytes, up to its 0 byte; cut to fit 511 bytes, never
  // inside a two-byte character) with the default font settings.
  HRESULT AddLine(const char* text, int length);
  int IsDone() const;
  // Every line of the run before the current one grows one older.
  void AgeLines();
  HRESULT Draw();
  // The default face: at most length bytes, cut to fit 63 bytes, never inside a character.
  void SetFace(const char* text, int length);
  void SetHeight(int height) { defaultHeight_ = height; }
  void SetWidth(int x) { defaultX_ = x; }
  void SetColor(D3DCOLOR color) { defaultColor_ = color; }
  void SetValue(int value) { value_ = value; }
  int GetHeight() const { return defaultHeight_; }
  void RecreateFonts();
  void ReleaseFonts();
  // Where the next text goes: the end point of the text shown.
  Point GetNextLinePos() const;

  const char* GetPending() const { return pending_; }
  int GetAge(int line) const { return age_[line & 0xFF]; }
  int GetHead() const { return head_; }
  const LineFont& GetLineFont(int line) const { return lineFont_[line & 0xFF]; }
  const GameFont& GetFont(int line) const { return fonts_[line & 0xFF]; }
  const char* GetFace() const { return defaultFace_; }
  uint32_t GetLastLineTime() const { return lastLineTimeMs_; }

 private:
  friend struct TextLogTestAccess;  // tests set ages and line texts directly

  char pending_[kLineBytes];
  char lines_[kLineCount][kLineBytes];
  uint32_t lastLineTimeMs_;
  int value_;
  int age_[kLineCount];
  int head_;
  char defaultFace_[kFaceBytes];
  int defaultHeight_;
  int defaultX_;
  D3DCOLOR defaultColor_;
  LineFont lineFont_[kLineCount];
  GameFont fonts_[kLineCount];
};

extern TextLog g_TextLog;
